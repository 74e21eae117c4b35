#pragma once

#include <cstdint>

#include "prog/cable.h"

namespace qvt {

class Counter;
class PortIo;

// Status register bit that carries MISO.
inline constexpr std::uint8_t kIspMisoStatusBit = 0x40;

// The serial link to the microcontroller, driven bit by bit through the
// parallel port: the delay unit of all timing and the shifting of bytes.
class IspLink {
  public:
    IspLink(PortIo& io, Counter& counter, std::uint16_t lptBase);

    // Busy-waits n units on the counter: 100,000,000 * n / f counts, which
    // with a 10 MHz counter is n microseconds. Never sleeps.
    void IspDelay(int n);
    // Shifts b out, most significant bit first; RST stays high.
    void IspSendByte(std::uint8_t b);
    // Shifts a byte in from MISO, most significant bit first.
    std::uint8_t IspReadByte();

    void WriteDataRegister(std::uint8_t value);

    // Clock half-period in delay units; the enable procedures set it.
    std::uint8_t sckDelay = 1;

    // Sum of all delay units waited so far (what the protocol itself costs).
    long long waitedUnits() const { return waitedUnits_; }

  private:
    PortIo& io_;
    Counter& counter_;
    std::uint16_t dataRegister_;
    std::uint16_t statusRegister_;
    long long waitedUnits_ = 0;
};

}  // namespace qvt
