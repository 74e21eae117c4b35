#include "platform/monotonic_counter.h"

#include <gtest/gtest.h>

#include <ctime>

namespace qvt {
namespace {

std::int64_t MonotonicNanoseconds() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return std::int64_t{ts.tv_sec} * 1'000'000'000 + ts.tv_nsec;
}

// The counter says 10 MHz: over 200 ms of the system's monotonic clock it
// must advance by 2,000,000 counts, as many as the sleep really took. Each
// counter reading is bracketed by two clock readings, so being scheduled
// away between them widens the bracket instead of failing the test.
TEST(MonotonicCounter, CountsTenMillionPerSecondOfTheSystemClock) {
    MonotonicCounter counter;
    ASSERT_EQ(counter.Frequency(), 10'000'000);
    const std::int64_t before0 = MonotonicNanoseconds();
    const std::int64_t count0 = counter.Now();
    const std::int64_t after0 = MonotonicNanoseconds();
    timespec pause{0, 200'000'000};
    while (nanosleep(&pause, &pause) != 0) {
    }
    const std::int64_t before1 = MonotonicNanoseconds();
    const std::int64_t count1 = counter.Now();
    const std::int64_t after1 = MonotonicNanoseconds();

    ASSERT_GE(before1 - after0, 200'000'000);
    const std::int64_t countedNs = (count1 - count0) * 100;
    const std::int64_t rounding = 200;  // each reading drops up to 99 ns
    EXPECT_GE(countedNs, before1 - after0 - rounding);
    EXPECT_LE(countedNs, after1 - before0 + rounding);
}

}  // namespace
}  // namespace qvt
