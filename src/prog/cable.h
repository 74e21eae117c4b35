#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace qvt {

// The lines of the programming cable, as bits of one output state. On the
// parallel cable they are the data register's bits; every other cable maps
// them to its own pins through a pin map.
inline constexpr std::uint8_t kIspMosi = 0x01;
inline constexpr std::uint8_t kIspSck = 0x02;
inline constexpr std::uint8_t kIspRst = 0x04;
// The fourth line: high in the idle pattern, cleared while a byte is read.
inline constexpr std::uint8_t kIspAux = 0x08;
inline constexpr std::uint8_t kIspOutputLines = kIspMosi | kIspSck | kIspRst | kIspAux;
// RST, SCK and MOSI low, the fourth line high: what stays on the cable
// between operations.
inline constexpr std::uint8_t kIspIdlePattern = kIspAux;

// How a cable carries out what the protocol asks of it.
enum class CableTiming {
    // Every request reaches the lines before the call returns (parallel port,
    // GPIO lines): a sample's level is known at once.
    kImmediate,
    // Requests are queued and sent in batches, each costing a round trip
    // (USB): a sample's level is known only after Flush().
    kBatched,
};

// A sample of MISO; its level is known once the cable has flushed.
using MisoSample = std::size_t;

// One programming cable at the level of its lines: the ISP protocol drives the
// four outputs, samples MISO and asks for waits of at least so many delay
// units (one unit is a microsecond). A cable never reports a failure through
// these calls: after a failure it drops what is asked of it, reads MISO as
// high and says what went wrong in fault(); the programming sequences look
// there before they report a chip as programmed.
class Cable {
  public:
    virtual ~Cable() = default;

    virtual CableTiming timing() const = 0;
    // The round trip a batch costs, in microseconds; 0 for an immediate cable.
    virtual int roundTripMicroseconds() const { return 0; }

    // Drives all outputs to state (the kIsp... bits; the others are ignored).
    virtual void SetLines(std::uint8_t state) = 0;
    // A byte read begins here. The parallel cable reads its data register
    // back at this point, as its bus cycle always did; the protocol itself
    // keeps a copy of the output state and needs no read.
    virtual void BeginByteRead() {}
    // Samples MISO as it is after the last SetLines.
    virtual MisoSample SampleMiso() = 0;
    // Holds the lines as they are for at least units delay units.
    virtual void Wait(int units) = 0;
    // Carries out everything queued and collects the samples' levels; false
    // when the cable failed (now or before).
    virtual bool Flush() = 0;
    // A sample's level; high for a sample not (yet) collected.
    virtual bool MisoLevel(MisoSample sample) const = 0;
    // Forgets the levels collected so far; the protocol calls it when it
    // holds no sample any more, so that the numbering starts again at 0.
    virtual void ForgetSamples() = 0;

    // Empty while the cable works; else one line saying what failed
    // ("USB-Adapter getrennt").
    virtual const std::string& fault() const = 0;
};

}  // namespace qvt
