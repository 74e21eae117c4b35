#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "core/cable_choice.h"
#include "emulation/virtual_clock.h"
#include "platform/ftdi_adapter.h"

namespace qvt {

class ParallelPort;

// What sets one FTDI chip type apart for the cable: bytes that may be in
// flight, the USB round trip of its bus, and its fastest sample clock.
struct FtdiModel {
    std::string name;
    std::size_t fifo = 128;
    int roundTripMicroseconds = 1000;
    std::int64_t shortestSamplePeriodNanoseconds = 1000;
};
// FT232R: 128 bytes to send, 256 to receive, full-speed USB (1 ms frames).
FtdiModel Ft232rModel();
// FT232H: 1 KiB each way, high-speed USB (125 us microframes).
FtdiModel Ft232hModel();

// Ways in which the emulated adapter lets the cable down, as a real one on a
// loose cable or a busy bus does.
struct EmulatedFtdiFaults {
    long long pulledAfterBytes = -1;  // the adapter is gone after this many samples
    bool silent = false;              // reads return nothing, forever
    std::size_t lostEchoes = 0;       // echoes of every batch that never arrive
    int emptyReadsFirst = 0;          // reads of every batch that find nothing yet
    std::size_t echoesPerRead = 0;    // at most this many echoes per read (0: all)
};

// An FTDI adapter in synchronous bit-bang mode with the emulated ISP chip
// behind it: every sample byte is decoded through the pin map into the chip's
// data register (MOSI bit 0, SCK bit 1, RST bit 2), one sample period apart
// on the virtual clock; echo i shows the pins as they were before sample i,
// MISO read from the chip's status bit 6. A released pin reads as the chip's
// own pull: RST low (its pull-down), MOSI and SCK high (port pull-ups).
// Writing more than a FIFO ahead of the reads is an error, as the chip's FIFO
// would overflow; the first read of a batch costs the model's round trip.
class EmulatedFtdiAdapter : public FtdiAdapter {
  public:
    EmulatedFtdiAdapter(FtdiModel model, PinMap pins, ParallelPort& chip, std::uint16_t chipBase,
                        VirtualClock& clock);
    ~EmulatedFtdiAdapter() override;
    EmulatedFtdiAdapter(const EmulatedFtdiAdapter&) = delete;
    EmulatedFtdiAdapter& operator=(const EmulatedFtdiAdapter&) = delete;

    std::size_t fifoSize() const override { return model_.fifo; }
    int roundTripMicroseconds() const override { return model_.roundTripMicroseconds; }
    bool SetSamplePeriod(std::int64_t nanoseconds) override;
    std::int64_t samplePeriodNanoseconds() const override { return period_; }
    bool SetOutputPins(std::uint8_t outputs) override;
    bool Write(const std::uint8_t* samples, std::size_t count) override;
    int Read(std::uint8_t* echoes, std::size_t capacity) override;
    bool Purge() override;
    void Close() override;
    const std::string& lastError() const override { return error_; }

    // The host sleeping: the lines hold, the virtual clock moves on.
    void SleepHost(std::int64_t nanoseconds) { clock_.Advance(nanoseconds); }

    EmulatedFtdiFaults& faults() { return faults_; }

    // The lines as the chip saw them, from the virtual time they took this
    // state: MOSI, SCK, RST bits as in the chip's data register, and which of
    // them were driven (the others released to the chip's pulls).
    struct LineState {
        std::int64_t nanoseconds = 0;
        std::uint8_t levels = 0;
        std::uint8_t driven = 0;
    };
    const std::vector<LineState>& lineHistory() const { return history_; }
    // Bulk transfers out, each answered by one round trip.
    long long roundTrips() const { return roundTrips_; }
    long long samplesWritten() const { return samplesWritten_; }
    // The most bytes that were ever in flight at once.
    std::size_t mostInFlight() const { return mostInFlight_; }
    bool closed() const { return closed_; }

    // Holds the lock file of the adapter's serial number for the adapter's
    // life, so that another process asking for the same one is refused.
    void HoldLock(int descriptor) { lock_ = descriptor; }

  private:
    void Apply(std::uint8_t pins);
    std::uint8_t Echo();
    bool Fail(const std::string& text);

    FtdiModel model_;
    PinMap pins_;
    ParallelPort& chip_;
    std::uint16_t base_;
    VirtualClock& clock_;
    EmulatedFtdiFaults faults_;
    std::int64_t period_;
    std::uint8_t latch_ = 0;
    std::uint8_t outputs_ = 0;
    std::deque<std::uint8_t> echoes_;
    std::size_t inFlight_ = 0;
    bool batchAnswered_ = true;
    int emptyReadsLeft_ = 0;
    long long roundTrips_ = 0;
    long long samplesWritten_ = 0;
    std::size_t mostInFlight_ = 0;
    bool pulled_ = false;
    bool closed_ = false;
    int lock_ = -1;
    std::vector<LineState> history_;
    std::string error_;
};

// Opens the emulated adapter with that serial number: refused as busy
// ("belegt") while another process (or another opening in this one) holds
// the same serial, through a lock file in lockDirectory.
struct EmulatedFtdiOpenResult {
    std::unique_ptr<EmulatedFtdiAdapter> adapter;
    std::string problem;
};
EmulatedFtdiOpenResult OpenEmulatedFtdiAdapter(const std::string& serial,
                                               const std::string& lockDirectory, FtdiModel model,
                                               PinMap pins, ParallelPort& chip,
                                               std::uint16_t chipBase, VirtualClock& clock);

}  // namespace qvt
