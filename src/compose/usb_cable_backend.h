#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/platform_settings.h"
#include "platform/ftdi_adapter.h"
#include "platform/gpio_lines.h"

namespace qvt {

class Cable;
class Counter;
class EmulatedIspChip;
class PortTrace;

// A programming cable other than the parallel port, opened as [cable] names
// it: an FTDI adapter or a board's GPIO lines, real or (emulated=yes) the
// emulated adapter or lines with the emulated chip of [emulator] behind them.
// Whatever could not be opened (no adapter, access refused, busy, a wrong pin
// map) is a cable that carries the reason as its fault, so a run ends at once
// with that one message.
class UsbCableBackend {
  public:
    virtual ~UsbCableBackend() = default;
    virtual Cable& cable() = 0;
    // The emulated chip of a rehearsal, else null.
    virtual EmulatedIspChip* chip() { return nullptr; }
    // For the line on stderr: "FTDI A1B2C3D4 (mosi=2,sck=0,rst=4,miso=1)".
    const std::string& description() const { return description_; }

  protected:
    std::string description_;
};

// The operating system's side, replaceable in tests.
struct CableOpeners {
    std::function<FtdiOpenResult(const std::string& device)> openFtdi;
    std::function<GpioChipOpening(const std::string& device)> openGpio;
};
CableOpeners SystemCableOpeners();

// The FTDI adapters and GPIO chips on this machine, for "Suchen" and
// `qvt410-cli cables`.
std::vector<FoundCable> FindCables();

// Opens the cable of settings.cable (its type is not kParallel). The trace
// gets what reached the lines in the parallel port's terms at traceBase; the
// counter times the waits of real lines.
std::unique_ptr<UsbCableBackend> OpenUsbCableBackend(
    const PlatformSettings& settings, PortTrace& trace, Counter& counter, std::uint16_t traceBase,
    const CableOpeners& openers = SystemCableOpeners());

}  // namespace qvt
