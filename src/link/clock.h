#pragma once

#include <chrono>
#include <cstdint>
#include <ctime>

namespace qvt {

// The PC's calendar clock, injected so telegram contents, reply windows and
// log file names can be tested at any date and second.
class Clock {
  public:
    using TimePoint = std::chrono::system_clock::time_point;
    virtual ~Clock() = default;
    virtual TimePoint Now() const = 0;
};

class SystemClock : public Clock {
  public:
    TimePoint Now() const override { return std::chrono::system_clock::now(); }
};

// Calendar time broken down in the PC's local time zone.
std::tm LocalTime(Clock::TimePoint when);

// Whole seconds of the calendar clock, as the device's reply windows count them.
std::int64_t WholeSeconds(Clock::TimePoint when);

}  // namespace qvt
