#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "prog/cable.h"

namespace qvt {

class Counter;
class PortIo;

// Status register bit that carries MISO.
inline constexpr std::uint8_t kIspMisoStatusBit = 0x40;

// The parallel port as a cable: the output state is the data register at the
// base, MISO the status register's bit 6 at base + 1, and a wait a busy wait
// on the high-resolution counter. Every request reaches the port at once, so
// the sequences on the port and in the trace are what they were before other
// cables existed, down to the data register read at the start of each byte
// read.
class ParallelCable : public Cable {
  public:
    ParallelCable(PortIo& io, Counter& counter, std::uint16_t base);

    CableTiming timing() const override { return CableTiming::kImmediate; }
    void SetLines(std::uint8_t state) override;
    void BeginByteRead() override;
    MisoSample SampleMiso() override;
    // Busy-waits 100,000,000 * units / f counts, which with a 10 MHz counter
    // is units microseconds. Never sleeps: a sleep may last a whole
    // scheduler tick.
    void Wait(int units) override;
    bool Flush() override { return true; }
    bool MisoLevel(MisoSample sample) const override;
    void ForgetSamples() override { levels_.clear(); }
    const std::string& fault() const override { return fault_; }

  private:
    PortIo& io_;
    Counter& counter_;
    std::uint16_t dataRegister_;
    std::uint16_t statusRegister_;
    std::vector<bool> levels_;
    std::string fault_;  // a port never fails; see ParallelPort
};

}  // namespace qvt
