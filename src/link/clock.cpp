#include "link/clock.h"

namespace qvt {

std::tm LocalTime(Clock::TimePoint when) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
    std::tm local{};
    localtime_r(&seconds, &local);
    return local;
}

std::int64_t WholeSeconds(Clock::TimePoint when) {
    return std::chrono::floor<std::chrono::seconds>(when.time_since_epoch()).count();
}

}  // namespace qvt
