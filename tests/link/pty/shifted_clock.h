#pragma once

#include <chrono>
#include <ctime>

#include "link/clock.h"

// The PC clock set to a given local time, running on from there.
class ShiftedClock : public qvt::Clock {
  public:
    explicit ShiftedClock(std::tm local) {
        local.tm_isdst = -1;
        base_ = std::chrono::system_clock::from_time_t(std::mktime(&local));
        start_ = std::chrono::steady_clock::now();
    }
    TimePoint Now() const override {
        return base_ + std::chrono::duration_cast<TimePoint::duration>(
                           std::chrono::steady_clock::now() - start_);
    }

  private:
    TimePoint base_;
    std::chrono::steady_clock::time_point start_;
};

// Sunday, 6 December 2026, 21:22:00 local time.
inline std::tm Sunday6December2026At2122() {
    std::tm t{};
    t.tm_year = 126;
    t.tm_mon = 11;
    t.tm_mday = 6;
    t.tm_hour = 21;
    t.tm_min = 22;
    return t;
}
