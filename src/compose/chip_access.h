#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "compose/parallel_backend.h"
#include "compose/usb_cable_backend.h"
#include "core/platform_settings.h"
#include "platform/monotonic_counter.h"
#include "prog/isp_link.h"
#include "prog/parallel_cable.h"
#include "prog/port_io.h"

namespace qvt {

// The way from the programmer to the chip, built alike for the window and the
// command-line tool: the counter that times the ISP clock, the port I/O with
// the trace of [parallel] trace=, and the cable: the parallel port with the
// backend that [parallel] access= chooses, or the FTDI adapter or GPIO lines
// of [cable] (the emulated chip of [emulator] included in a rehearsal). The
// settings are read when the cable opens and must outlive this object.
class ChipAccess {
  public:
    // Opens the port trace now, its path fixed against the working folder: a
    // firmware file chosen in another folder moves that folder later.
    // programName starts the line on stderr that names the backend.
    ChipAccess(const PlatformSettings& settings, std::string programName,
               const ParallelPortOpeners& openers = SystemParallelPortOpeners(),
               const CableOpeners& cableOpeners = SystemCableOpeners());
    ~ChipAccess();
    ChipAccess(const ChipAccess&) = delete;
    ChipAccess& operator=(const ChipAccess&) = delete;

    // Opens the cable once and tells on stderr which it is ("qvt410:
    // Parallelport: ppdev /dev/parport0", "qvt410: Programmierkabel: FTDI
    // A1B2C3 (...)"), so that a chip that does not answer can be told apart
    // from a cable that cannot be reached. lptBase is the parallel port's, and
    // the address every cable's trace is written for. Later calls, and calls
    // after Close(), do nothing and return false.
    bool Open(std::uint16_t lptBase);
    // Releases the cable; the emulated chip writes its memories back.
    void Close();

    // Puts the cable into its idle pattern (reset high, clock and data low).
    void WriteIdlePattern(std::uint16_t lptBase);
    void FlushTrace() { io_.FlushTrace(); }

    // The ISP link to the chip on the port at lptBase.
    // The ISP link to the chip on the port at lptBase; valid until the next
    // call with another base.
    IspLink LinkAt(std::uint16_t lptBase);

    ParallelAccess access() const { return backend_.access; }
    // The emulated chip when [parallel] access=emulated or in a rehearsal of
    // [cable], else null.
    EmulatedIspChip* emulatedChip() const { return usb_ ? usb_->chip() : backend_.chip; }

  private:
    const PlatformSettings& settings_;
    std::string programName_;
    ParallelPortOpeners openers_;
    CableOpeners cableOpeners_;
    MonotonicCounter counter_;
    PortIo io_;
    ParallelBackend backend_;
    std::unique_ptr<ParallelCable> cable_;
    std::unique_ptr<UsbCableBackend> usb_;
    std::uint16_t cableBase_ = 0;
    bool openPending_ = true;
};

}  // namespace qvt
