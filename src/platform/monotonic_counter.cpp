#include "platform/monotonic_counter.h"

#include <ctime>

namespace qvt {

std::int64_t MonotonicCounter::Now() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<std::int64_t>(ts.tv_sec) * kFrequency + ts.tv_nsec / 100;
}

}  // namespace qvt
