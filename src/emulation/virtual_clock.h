#pragma once

#include <cstdint>

#include "platform/counter.h"

namespace qvt {

// Time that passes only when the emulated hardware says so: an emulated USB
// adapter moves it on by one sample period per sample it clocks out, a host
// sleep by the time slept. The emulated chip times its write cycles on it, so
// a rehearsal takes as long as the real cable would, in virtual time, and
// costs only the computing.
class VirtualClock : public Counter {
  public:
    static constexpr std::int64_t kCountsPerSecond = 1'000'000'000;  // nanoseconds

    std::int64_t Frequency() const override { return kCountsPerSecond; }
    std::int64_t Now() override { return now_; }
    std::int64_t nanoseconds() const { return now_; }
    void Advance(std::int64_t nanoseconds) { now_ += nanoseconds; }

  private:
    std::int64_t now_ = 0;
};

}  // namespace qvt
