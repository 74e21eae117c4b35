#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/serial_port.h"
#include "support/clocks.h"

namespace qvt::testing {

using namespace std::chrono_literals;

// A serial port on the fake clock: bytes are scheduled to arrive at given
// times; waiting moves the clock up to the next arrival. Writing takes the
// time the bytes need on the line, if a byte time is set, and then the drain
// time: a UART driver notices the end of sending only some milliseconds after
// the last stop bit, and a quick device's answer arrives meanwhile. Each
// byte read carries the moment it arrived.
class FakeSerialPort : public SerialPort {
  public:
    explicit FakeSerialPort(FakeClock& clock) : clock_(clock) {}

    // Bytes that have arrived already.
    void Receive(std::vector<std::uint8_t> bytes) {
        for (std::uint8_t b : bytes) received_.push_back({b, clock_.Now()});
    }
    // Bytes that arrive one after another from a moment of the clock on, a
    // byte time apart (the byte time of the line if set, else 1 ms).
    void ArriveFrom(Clock::TimePoint when, const std::string& bytes) {
        const std::chrono::nanoseconds step = byteTime_ > 0ns ? byteTime_ : 1ms;
        for (char c : bytes) {
            pending_.emplace(when, static_cast<std::uint8_t>(c));
            when += std::chrono::duration_cast<Clock::TimePoint::duration>(step);
        }
    }
    // A byte that arrives at a moment of the clock.
    void ArriveAt(Clock::TimePoint when, std::uint8_t byte) { pending_.emplace(when, byte); }
    // A byte that arrives the given time after the last written byte has
    // left the line (before the write returns, if the drain takes longer).
    void ReplyAfterWrite(std::chrono::nanoseconds delay, std::uint8_t byte) {
        replies_.push_back({delay, byte});
    }
    void SetByteTime(std::chrono::nanoseconds t) { byteTime_ = t; }
    void SetDrainTime(std::chrono::nanoseconds t) { drainTime_ = t; }
    // Writes on the open port give up after this time, nothing sent (a line
    // that takes no bytes).
    void FailWritesAfter(std::chrono::nanoseconds t) { failingWrite_ = t; }
    // The bytes leave the line, but the driver never reports it (an adapter
    // that stalls without hanging up): the write gives up after the limit.
    void StallDrain(std::chrono::nanoseconds limit) { stalledDrain_ = limit; }
    void SetOpen(bool open) { open_ = open; }

    bool Open(const std::string& path, std::int32_t baud) override {
        openedPath = path;
        openedBaud = baud;
        open_ = true;
        return true;
    }
    void Close() override { open_ = false; }
    bool IsOpen() const override { return open_; }

    int ReadByte() override { return ReadReceivedByte().value; }

    ReceivedByte ReadReceivedByte() override {
        ++reads;
        Deliver();
        if (!open_ || received_.empty())
            return {};
        const ReceivedByte b = received_.front();
        received_.pop_front();
        return b;
    }

    bool Write(const std::uint8_t* data, std::size_t count) override {
        writeCalls.push_back(std::vector<std::uint8_t>(data, data + count));
        if (!open_)
            return false;
        if (failingWrite_) {
            clock_.Advance(*failingWrite_);
            return false;
        }
        written.insert(written.end(), data, data + count);
        clock_.Advance(byteTime_ * static_cast<long>(count));
        for (const auto& [delay, byte] : replies_) pending_.emplace(clock_.Now() + delay, byte);
        replies_.clear();
        if (stalledDrain_) {
            clock_.Advance(*stalledDrain_);
            Deliver();
            return false;
        }
        clock_.Advance(drainTime_);
        Deliver();
        return true;
    }

    bool WaitForBytes(int milliseconds) override {
        ++waits;
        const Clock::TimePoint limit = clock_.Now() + std::chrono::milliseconds(milliseconds);
        if (open_ && !pending_.empty() && pending_.begin()->first <= limit) {
            if (pending_.begin()->first > clock_.Now())
                clock_.Set(pending_.begin()->first);
            Deliver();
            return true;
        }
        clock_.Set(limit);
        return false;
    }

    void SetBytesArrivedHandler(std::function<void()> handler) override {
        handler_ = std::move(handler);
    }

    std::size_t unread() const { return received_.size(); }

    std::vector<std::uint8_t> written;
    std::vector<std::vector<std::uint8_t>> writeCalls;
    std::string openedPath;
    std::int32_t openedBaud = 0;
    int reads = 0;
    int waits = 0;

  private:
    void Deliver() {
        while (!pending_.empty() && pending_.begin()->first <= clock_.Now()) {
            received_.push_back({pending_.begin()->second, pending_.begin()->first});
            pending_.erase(pending_.begin());
        }
    }

    struct Reply {
        std::chrono::nanoseconds delay;
        std::uint8_t byte;
    };
    FakeClock& clock_;
    std::deque<ReceivedByte> received_;
    std::multimap<Clock::TimePoint, std::uint8_t> pending_;
    std::vector<Reply> replies_;
    std::chrono::nanoseconds byteTime_{0};
    std::chrono::nanoseconds drainTime_{0};
    std::optional<std::chrono::nanoseconds> failingWrite_;
    std::optional<std::chrono::nanoseconds> stalledDrain_;
    bool open_ = true;
    std::function<void()> handler_;
};

}  // namespace qvt::testing
