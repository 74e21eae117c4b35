#pragma once

#include <cstdint>

namespace qvt {

// One parallel port as the programming cable sees it: single bytes written to
// and read from I/O addresses (data register at the base, status register at
// base + 1). Implementations never report failures; a port that cannot be
// reached reads as 0.
class ParallelPort {
  public:
    virtual ~ParallelPort() = default;
    virtual void Write(std::uint16_t address, std::uint8_t value) = 0;
    virtual std::uint8_t Read(std::uint16_t address) = 0;
};

}  // namespace qvt
