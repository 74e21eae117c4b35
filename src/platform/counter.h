#pragma once

#include <cstdint>

namespace qvt {

// A free-running high-resolution counter for the busy waits of the
// programming cable.
class Counter {
  public:
    virtual ~Counter() = default;
    // Counts per second; 0 when the machine has no such counter.
    virtual std::int64_t Frequency() const = 0;
    virtual std::int64_t Now() = 0;
};

}  // namespace qvt
