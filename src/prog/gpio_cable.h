#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/cable_choice.h"
#include "prog/cable.h"
#include "prog/host_sleep.h"

namespace qvt {

class Counter;
class GpioLines;
class PortTrace;

// The programming cable on the GPIO lines of a Linux board: MOSI, SCK and RST
// are outputs of one request, set together with one call whenever one of them
// changes; MISO is read when sampled. Every call reaches the pins before it
// returns, so the cable is immediate. Waits run on the counter: shorter ones
// spin, since a sleep of the thread may last far longer than asked, and
// longer ones sleep first; none ends before its time has passed.
class GpioCable : public Cable {
  public:
    // Waits from this long on sleep before they spin out the rest.
    static constexpr int kSleepFromMicroseconds = 1000;

    // Claims the lines at once, all outputs low at the chip (RST low: the
    // chip runs). A refused claim leaves the cable failed with the reason.
    // The trace, when given, gets the lines' states back through the pin map
    // with traceBase as the data register's address.
    GpioCable(GpioLines& lines, const PinMap& pins, Counter& clock, HostSleep sleep,
              PortTrace* trace = nullptr, std::uint16_t traceBase = 0x378);
    // Brings SCK and MOSI down before RST, then lets go of the lines.
    ~GpioCable() override;
    GpioCable(const GpioCable&) = delete;
    GpioCable& operator=(const GpioCable&) = delete;

    CableTiming timing() const override { return CableTiming::kImmediate; }
    void SetLines(std::uint8_t state) override;
    MisoSample SampleMiso() override;
    void Wait(int units) override;
    bool Flush() override { return fault_.empty(); }
    bool MisoLevel(MisoSample sample) const override;
    void ForgetSamples() override { samples_.clear(); }
    const std::string& fault() const override { return fault_; }

  private:
    // The pin levels for a state of the cable's lines (kIsp... bits), in the
    // order the outputs were claimed.
    std::uint32_t LevelsFor(std::uint8_t state) const;
    // The kIsp... bits that the pin levels stand for: what the chip sees.
    std::uint8_t StateOf(std::uint32_t levels) const;
    void Drive(std::uint8_t state);
    void Failed(const std::string& reason);

    GpioLines& lines_;
    PinMap pins_;
    Counter& clock_;
    HostSleep sleep_;
    PortTrace* trace_;
    std::uint16_t traceBase_;
    bool claimed_ = false;
    std::uint8_t lineState_ = 0;  // of MOSI, SCK and RST, as last driven
    std::vector<bool> samples_;
    std::string fault_;
};

}  // namespace qvt
