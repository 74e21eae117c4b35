#pragma once

#include <cstdint>
#include <string>

#include "prog/cable.h"

namespace qvt {

// The serial link to the microcontroller, driven bit by bit through a cable:
// the delay unit of all timing and the shifting of bytes. It keeps the output
// state itself, so no cable has to read its outputs back.
//
// Reads can be queued: QueueReadByte() shifts a byte in and hands back where
// its bits will be; once Flush() has carried out the queue, ResultOf() gives
// the byte. A batched cable (USB) then sends a whole page or run of bytes in
// one go instead of one round trip per byte. Results stay valid until the
// next read is queued after a flush.
class IspLink {
  public:
    struct PendingByte {
        MisoSample firstBit = 0;
    };

    explicit IspLink(Cable& cable) : cable_(cable) {}

    // Holds the lines n delay units (microseconds): busy-waited on the
    // parallel port, idle samples or a host sleep on a USB adapter.
    void IspDelay(int n);
    // Shifts b out, most significant bit first; RST stays high.
    void IspSendByte(std::uint8_t b);
    // Shifts a byte in from MISO, most significant bit first, and waits for it.
    std::uint8_t IspReadByte();
    PendingByte QueueReadByte();
    // Carries out what is queued; false when the cable failed.
    bool Flush();
    std::uint8_t ResultOf(PendingByte pending) const;

    // Drives the four lines (kIspMosi, kIspSck, kIspRst, kIspAux).
    void SetLines(std::uint8_t state);
    std::uint8_t lines() const { return lines_; }

    // Whether reads should be planned ahead and flushed together.
    bool batched() const { return cable_.timing() == CableTiming::kBatched; }
    // The cable failed: nothing it reads can be trusted any more.
    bool failed() const { return !cable_.fault().empty(); }
    const std::string& fault() const { return cable_.fault(); }

    // Clock half-period in delay units; the enable procedures set it.
    std::uint8_t sckDelay = 1;

    // Sum of all delay units waited so far (what the protocol itself costs).
    long long waitedUnits() const { return waitedUnits_; }

  private:
    Cable& cable_;
    std::uint8_t lines_ = 0;
    bool flushedSinceQueue_ = false;
    long long waitedUnits_ = 0;
};

}  // namespace qvt
