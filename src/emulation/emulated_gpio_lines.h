#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/cable_choice.h"
#include "emulation/virtual_clock.h"
#include "platform/counter.h"
#include "platform/gpio_lines.h"

namespace qvt {

class EmulatedIspChip;

// What the emulated GPIO lines cost in time. A real set or read is a system
// call into the GPIO driver; a read of the monotonic clock takes a little
// too, and a sleep of the thread lasts longer than asked.
struct EmulatedGpioTiming {
    std::int64_t setNanoseconds = 4000;
    std::int64_t readNanoseconds = 3000;
    std::int64_t clockReadNanoseconds = 40;
    std::int64_t oversleepMicroseconds = 80;
    // The host counter's rate; an odd one shows waits rounded the wrong way.
    std::int64_t counterFrequency = 10'000'000;
};

// The GPIO lines of a board with the emulated chip wired to them through a
// pin map: MOSI, SCK and RST as the chip sees them go into its data register
// (bits 0, 1, 2), MISO comes from its status bit 6. Time passes on a virtual
// clock, by the cost of each call and by the host's waits. The lines can be
// taken by another program when requested, or vanish after so many calls
// (a board's GPIO driver unloaded, a USB bridge pulled).
class EmulatedGpioLines : public GpioLines {
  public:
    // Lines of the emulated chip, as many as a Raspberry Pi 4's pin controller
    // has: what a pin map is checked against.
    static constexpr int kLineCount = 58;

    EmulatedGpioLines(EmulatedIspChip& chip, std::uint16_t chipBase, const PinMap& wiring,
                      VirtualClock& clock, EmulatedGpioTiming timing = {});

    bool Request(const std::vector<int>& outputs, std::uint32_t initialLevels, int input,
                 const std::string& consumer) override;
    bool SetOutputs(std::uint32_t levels) override;
    std::optional<bool> ReadInput() override;
    void Release() override;
    const std::string& lastError() const override { return error_; }

    // The host as a cable sees it: the monotonic clock, each read costing a
    // little virtual time, and the thread's sleep.
    Counter& hostClock() { return hostClock_; }
    void Sleep(std::int64_t nanoseconds);

    // Another program holds this line when it is requested.
    void HoldLine(int offset, std::string consumer);
    // The lines vanish after so many more sets and reads.
    void LoseLinesAfter(int calls) { callsLeft_ = calls; }

    // The chip's RST, SCK and MOSI (data register bits) from a moment on.
    struct Change {
        std::int64_t nanoseconds;
        std::uint8_t chipState;
    };
    const std::vector<Change>& changes() const { return changes_; }
    // Every call that reached the kernel; a change of the outputs made with
    // several calls shows here.
    long long setCalls() const { return setCalls_; }
    long long readCalls() const { return readCalls_; }
    // Looks at the host clock: a spinning wait makes many, a sleeping one few.
    long long clockReads() const { return hostClock_.reads; }
    bool held() const { return requested_; }

  private:
    class HostClock : public Counter {
      public:
        HostClock(VirtualClock& clock, const EmulatedGpioTiming& timing)
            : clock_(clock), timing_(timing) {}
        std::int64_t Frequency() const override { return timing_.counterFrequency; }
        std::int64_t Now() override;
        long long reads = 0;

      private:
        VirtualClock& clock_;
        const EmulatedGpioTiming& timing_;
    };

    bool Lost();
    // The chip's data register for the pin levels of the outputs.
    std::uint8_t ChipStateFor(std::uint32_t levels) const;
    void Drive(std::uint8_t chipState);

    EmulatedIspChip& chip_;
    std::uint16_t chipBase_;
    PinMap wiring_;
    VirtualClock& clock_;
    EmulatedGpioTiming timing_;
    HostClock hostClock_;

    std::vector<std::pair<int, std::string>> heldByOthers_;
    int callsLeft_ = -1;  // none: the lines never vanish
    bool lost_ = false;

    bool requested_ = false;
    std::vector<int> outputs_;
    int input_ = -1;
    std::uint8_t chipState_ = 0;
    std::vector<Change> changes_;
    long long setCalls_ = 0;
    long long readCalls_ = 0;
    std::string error_;
};

}  // namespace qvt
