#include "compose/usb_cable_backend.h"

#include <filesystem>
#include <utility>

#include "emulation/emulated_ftdi_adapter.h"
#include "emulation/emulated_gpio_lines.h"
#include "emulation/emulated_isp_chip.h"
#include "emulation/virtual_clock.h"
#include "platform/libftdi_adapter.h"
#include "platform/libgpiod_lines.h"
#include "prog/ftdi_cable.h"
#include "prog/gpio_cable.h"
#include "prog/unusable_cable.h"

namespace qvt {
namespace {

class RefusedCable : public UsbCableBackend {
  public:
    RefusedCable(std::string description, std::string reason) : cable_(std::move(reason)) {
        description_ = std::move(description) + ": " + cable_.fault();
    }
    Cable& cable() override { return cable_; }

  private:
    UnusableCable cable_;
};

class FtdiBackend : public UsbCableBackend {
  public:
    FtdiBackend(std::unique_ptr<FtdiAdapter> adapter, const PinMap& pins, Counter& counter,
                PortTrace& trace, std::uint16_t base, std::string description)
        : adapter_(std::move(adapter)),
          cable_(*adapter_, pins, counter, ThreadSleep(), &trace, base) {
        description_ = std::move(description);
    }
    Cable& cable() override { return cable_; }

  private:
    // The cable lets go of the lines and closes the adapter before the
    // adapter goes.
    std::unique_ptr<FtdiAdapter> adapter_;
    FtdiCable cable_;
};

class GpioBackend : public UsbCableBackend {
  public:
    GpioBackend(std::unique_ptr<GpioLines> lines, const PinMap& pins, Counter& counter,
                PortTrace& trace, std::uint16_t base, std::string description)
        : lines_(std::move(lines)), cable_(*lines_, pins, counter, ThreadSleep(), &trace, base) {
        description_ = std::move(description);
    }
    Cable& cable() override { return cable_; }

  private:
    std::unique_ptr<GpioLines> lines_;
    GpioCable cable_;
};

// The emulated chip of a rehearsal on one adapter or GPIO chip: the memory
// files of [emulator], named after the device when there is one, so that
// stations side by side each have a chip of their own.
EmulatedChipFiles ChipFilesFor(const PlatformSettings& settings, const std::string& device) {
    const auto named = [&device](const std::string& file) {
        if (device.empty())
            return file;
        std::filesystem::path path(file);
        const std::string extension = path.extension().string();
        path.replace_extension();
        return path.string() + "-" + device + extension;
    };
    return {named(settings.emulatedCodeFile), named(settings.emulatedDataFile),
            named(settings.emulatedLockFile)};
}

std::string LockFolderOf(const PlatformSettings& settings) {
    const std::filesystem::path folder =
        std::filesystem::path(settings.emulatedCodeFile).parent_path();
    return folder.empty() ? "." : folder.string();
}

class EmulatedFtdiBackend : public UsbCableBackend {
  public:
    EmulatedFtdiBackend(const PlatformSettings& settings, const CableChoice& chosen,
                        const PinMap& pins, PortTrace& trace, std::uint16_t base)
        : chip_(settings.emulatedChip, base, ChipFilesFor(settings, chosen.device), &clock_) {
        // The shipped map says which breakout it is; a map written out is
        // taken for the faster chip.
        const FtdiModel model = chosen.pins == "ft232r" ? Ft232rModel() : Ft232hModel();
        const std::string serial = chosen.device.empty() ? "EMULATED" : chosen.device;
        EmulatedFtdiOpenResult opened = OpenEmulatedFtdiAdapter(serial, LockFolderOf(settings),
                                                                model, pins, chip_, base, clock_);
        if (!opened.adapter) {
            refused_ = std::make_unique<UnusableCable>(opened.problem);
            description_ = "emulated FTDI " + serial + ": " + opened.problem;
            return;
        }
        adapter_ = std::move(opened.adapter);
        cable_ = std::make_unique<FtdiCable>(
            *adapter_, pins, clock_,
            [adapter = adapter_.get()](std::int64_t ns) { adapter->SleepHost(ns); }, &trace, base);
        description_ = "emulated FTDI " + model.name + " " + serial + " (" + PinMapText(pins) +
                       ") with emulated " + std::to_string(ChipNumber(chip_.chip()));
    }
    Cable& cable() override {
        return cable_ ? static_cast<Cable&>(*cable_) : static_cast<Cable&>(*refused_);
    }
    EmulatedIspChip* chip() override { return &chip_; }

  private:
    VirtualClock clock_;
    EmulatedIspChip chip_;
    std::unique_ptr<EmulatedFtdiAdapter> adapter_;
    std::unique_ptr<FtdiCable> cable_;
    std::unique_ptr<UnusableCable> refused_;
};

class EmulatedGpioBackend : public UsbCableBackend {
  public:
    EmulatedGpioBackend(const PlatformSettings& settings, const CableChoice& chosen,
                        const PinMap& pins, PortTrace& trace, std::uint16_t base)
        : chip_(settings.emulatedChip, base, ChipFilesFor(settings, chosen.device), &clock_),
          lines_(chip_, base, pins, clock_),
          cable_(
              lines_, pins, lines_.hostClock(), [this](std::int64_t ns) { lines_.Sleep(ns); },
              &trace, base) {
        description_ = "emulated GPIO " + chosen.device + " (" + PinMapText(pins) +
                       ") with emulated " + std::to_string(ChipNumber(chip_.chip()));
    }
    Cable& cable() override { return cable_; }
    EmulatedIspChip* chip() override { return &chip_; }

  private:
    VirtualClock clock_;
    EmulatedIspChip chip_;
    EmulatedGpioLines lines_;
    GpioCable cable_;
};

}  // namespace

std::vector<FoundCable> FindCables() {
    std::vector<FoundCable> found = ListFtdiAdapters();
    for (FoundCable& chip : ListGpioChips()) found.push_back(std::move(chip));
    return found;
}

CableOpeners SystemCableOpeners() {
    return {OpenFtdiAdapter, [](const std::string& device) { return OpenGpioChip(device); }};
}

std::unique_ptr<UsbCableBackend> OpenUsbCableBackend(const PlatformSettings& settings,
                                                     PortTrace& trace, Counter& counter,
                                                     std::uint16_t traceBase,
                                                     const CableOpeners& openers) {
    const CableChoice chosen = WithDefaults(settings.cable);
    const bool ftdi = chosen.type == CableType::kFtdi;
    const std::string kind = std::string(chosen.emulated ? "emulated " : "") +
                             (ftdi ? "FTDI " : "GPIO ") + chosen.device;
    if (const std::string problem = CableProblem(chosen); !problem.empty())
        return std::make_unique<RefusedCable>(kind, problem);

    if (ftdi) {
        const PinMapResult pins = ParsePinMap(chosen.pins, kFtdiPinCount);
        if (!pins.map)
            return std::make_unique<RefusedCable>(kind, pins.problem);
        if (chosen.emulated)
            return std::make_unique<EmulatedFtdiBackend>(settings, chosen, *pins.map, trace,
                                                         traceBase);
        FtdiOpenResult opened = openers.openFtdi(chosen.device);
        if (!opened.adapter)
            return std::make_unique<RefusedCable>(kind, opened.problem);
        return std::make_unique<FtdiBackend>(std::move(opened.adapter), *pins.map, counter, trace,
                                             traceBase, kind + " (" + PinMapText(*pins.map) + ")");
    }

    if (chosen.emulated) {
        const PinMapResult pins = ParsePinMap(chosen.pins, EmulatedGpioLines::kLineCount);
        if (!pins.map)
            return std::make_unique<RefusedCable>(kind, pins.problem);
        return std::make_unique<EmulatedGpioBackend>(settings, chosen, *pins.map, trace, traceBase);
    }
    GpioChipOpening opened = openers.openGpio(chosen.device);
    if (!opened.lines)
        return std::make_unique<RefusedCable>(kind, opened.problem);
    const PinMapResult pins = ParsePinMap(chosen.pins, opened.lineCount);
    if (!pins.map)
        return std::make_unique<RefusedCable>(kind, pins.problem);
    return std::make_unique<GpioBackend>(
        std::move(opened.lines), *pins.map, counter, trace, traceBase,
        "GPIO " + opened.name + " (" + PinMapText(*pins.map) + ")");
}

}  // namespace qvt
