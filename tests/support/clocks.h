#pragma once

// Clocks for the device link: one that moves only when told to, the PC clock
// at a fixed moment, and the PC clock set to a moment and running on.

#include <chrono>
#include <ctime>

#include "link/clock.h"

namespace qvt::testing {

// A local time as the telegrams carry it; weekday 0 is Sunday.
inline std::tm LocalTime(int year, int month, int day, int hour = 12, int minute = 0,
                         int second = 0, int weekday = 0) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_wday = weekday;
    return t;
}

inline Clock::TimePoint FromLocalTime(std::tm local) {
    local.tm_isdst = -1;
    return std::chrono::system_clock::from_time_t(std::mktime(&local));
}

// Seconds since the epoch as a time point, e.g. At(100.9).
inline Clock::TimePoint At(double seconds) {
    return Clock::TimePoint(std::chrono::duration_cast<Clock::TimePoint::duration>(
        std::chrono::duration<double>(seconds)));
}

class FakeClock : public Clock {
  public:
    explicit FakeClock(TimePoint start) : now_(start) {}
    TimePoint Now() const override { return now_; }
    void Advance(std::chrono::nanoseconds d) { now_ += d; }
    void Set(TimePoint t) { now_ = t; }

  private:
    TimePoint now_;
};

class FixedClock : public Clock {
  public:
    FixedClock(int year, int month, int day, int hour = 12, int minute = 0)
        : at_(FromLocalTime(LocalTime(year, month, day, hour, minute))) {}
    TimePoint Now() const override { return at_; }

  private:
    TimePoint at_;
};

class ShiftedClock : public Clock {
  public:
    explicit ShiftedClock(std::tm local)
        : base_(FromLocalTime(local)), start_(std::chrono::steady_clock::now()) {}
    TimePoint Now() const override {
        return base_ + std::chrono::duration_cast<TimePoint::duration>(
                           std::chrono::steady_clock::now() - start_);
    }

  private:
    TimePoint base_;
    std::chrono::steady_clock::time_point start_;
};

}  // namespace qvt::testing

namespace qvt::testing {

// The calendar clock, set back to the start of a whole second by Restart().
// A test value's reply window ends at the next whole second, anywhere from 0
// to 1 s after sending; restarted before each command, the window is a full
// second, so an answer the device sends in time is not lost to where in the
// second the command happened to begin.
class SecondStartClock : public Clock {
  public:
    TimePoint Now() const override {
        return base_ + std::chrono::duration_cast<TimePoint::duration>(
                           std::chrono::steady_clock::now() - start_);
    }
    void Restart() { start_ = std::chrono::steady_clock::now(); }

  private:
    TimePoint base_ = std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now());
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

}  // namespace qvt::testing
