#pragma once

#include "platform/counter.h"

namespace qvt {

// The monotonic clock presented as a 10 MHz counter, so one delay unit of the
// programming cable (100,000,000 / f counts) is exactly one microsecond.
class MonotonicCounter : public Counter {
  public:
    static constexpr std::int64_t kFrequency = 10'000'000;
    std::int64_t Frequency() const override { return kFrequency; }
    std::int64_t Now() override;
};

}  // namespace qvt
