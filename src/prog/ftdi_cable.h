#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/cable_choice.h"
#include "prog/cable.h"
#include "prog/host_sleep.h"

namespace qvt {

class Counter;
class FtdiAdapter;
class PortTrace;

// The programming cable on an FTDI adapter in synchronous bit-bang mode. What
// the protocol asks is turned into a stream of samples, each carrying the
// whole output state through the pin map, so RST never drops inside a
// session; waits become repeated samples. The stream goes out at most one
// FIFO at a time, and every echo of it is collected before the next: MISO is
// read from the echoes. Opened, the cable puts the idle levels into the
// output latch before it makes the pins outputs; released, it lets MOSI and
// SCK go first and RST last.
class FtdiCable : public Cable {
  public:
    // Sync bit-bang reads the pins before it drives a sample: the level the
    // chip put on MISO after the sample that raised SCK is in the echo of the
    // sample after it.
    static constexpr std::size_t kMisoEchoOffset = 1;
    // A wait up to this long (and no longer than a FIFO of samples) goes out
    // as idle samples; a longer one collects every echo first (so the pins
    // have really changed) and then sleeps on the host, so a page write does
    // not fill the FIFO with nothing.
    static constexpr std::int64_t kLongestStreamedWaitNanoseconds = 3'000'000;
    // A sample lasts one delay unit: waits and half-periods come out exact.
    static constexpr std::int64_t kSamplePeriodNanoseconds = 1000;
    // How long the echoes of one FIFO may take before the adapter counts as
    // gone, beyond the time its samples take, and how long the cable pauses
    // when a read finds nothing yet.
    static constexpr std::int64_t kEchoDeadlineNanoseconds = 250'000'000;
    static constexpr std::int64_t kEmptyReadPauseNanoseconds = 100'000;

    // Opens the cable on the adapter: sample clock, idle levels, then the
    // pins as outputs. A failure shows in fault(). trace may be null.
    FtdiCable(FtdiAdapter& adapter, PinMap pins, Counter& counter, HostSleep sleep,
              PortTrace* trace, std::uint16_t traceBase = 0x378);
    ~FtdiCable() override;
    FtdiCable(const FtdiCable&) = delete;
    FtdiCable& operator=(const FtdiCable&) = delete;

    CableTiming timing() const override { return CableTiming::kBatched; }
    int roundTripMicroseconds() const override;

    void SetLines(std::uint8_t state) override;
    MisoSample SampleMiso() override;
    void Wait(int units) override;
    bool Flush() override;
    bool MisoLevel(MisoSample sample) const override;
    void ForgetSamples() override;
    const std::string& fault() const override { return fault_; }

    // Sends what is queued, lets go of the lines (RST last) and closes the
    // adapter. The destructor does it too.
    void Release();

  private:
    struct Request {
        std::size_t echo = 0;  // which echo, counted over the whole run
        bool level = true;
        bool collected = false;
    };

    std::uint8_t PinsOf(std::uint8_t state) const;
    std::uint8_t StateOf(std::uint8_t pins) const;
    void Queue(std::uint8_t pins);
    bool SendChunk(std::size_t first, std::size_t count);
    bool CollectEchoes(std::vector<std::uint8_t>& echoes);
    void TraceChunk(const std::uint8_t* samples, std::size_t count, std::size_t firstIndex);
    void TraceHeld();
    void Sleep(std::int64_t nanoseconds);
    void Fail(const std::string& text);
    std::int64_t NowNanoseconds();

    FtdiAdapter& adapter_;
    PinMap pins_;
    Counter& counter_;
    HostSleep sleep_;
    PortTrace* trace_;
    std::uint16_t traceBase_;
    std::int64_t period_ = kSamplePeriodNanoseconds;
    std::uint8_t outputPins_ = 0;
    std::int64_t longestStreamedWait_ = kLongestStreamedWaitNanoseconds;

    std::vector<std::uint8_t> queue_;
    std::size_t sentSamples_ = 0;
    std::uint8_t state_ = 0;
    // The last queued sample is a SetLines nothing has waited on or sampled
    // yet, and the state before it.
    bool lastMayShare_ = false;
    std::uint8_t stateBeforeLast_ = 0;
    // Time the current state has been held by queued samples that no wait
    // has counted yet.
    std::int64_t heldCredit_ = 0;

    std::vector<Request> requests_;
    std::size_t firstUncollected_ = 0;

    bool traced_ = false;
    std::uint8_t tracedState_ = 0;
    std::int64_t tracedHeld_ = 0;

    bool released_ = false;
    std::string fault_;
};

}  // namespace qvt
