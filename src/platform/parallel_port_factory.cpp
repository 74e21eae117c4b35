#include "platform/parallel_port_factory.h"

#include "platform/direct_io_port.h"
#include "platform/emulated_isp_chip.h"
#include "platform/ppdev_port.h"

namespace qvt {
namespace {

std::unique_ptr<ParallelPort> TryPpdev(const PlatformSettings& settings, std::uint16_t base) {
    const std::string& device = base == 0x278 ? settings.ppdevFor278 : settings.ppdevFor378;
    auto port = std::make_unique<PpdevPort>(base, device);
    if (!port->Open())
        return nullptr;
    return port;
}

std::unique_ptr<ParallelPort> TryDirect(std::uint16_t base) {
    auto port = std::make_unique<DirectIoPort>(base);
    if (!port->Open())
        return nullptr;
    return port;
}

}  // namespace

OpenedParallelPort OpenParallelPort(const PlatformSettings& settings, std::uint16_t lptBase,
                                    Counter& clock) {
    OpenedParallelPort opened;
    const std::string& mode = settings.parallelAccess;
    if (mode == "emulated") {
        EmulatedChipFiles files{settings.emulatedCodeFile, settings.emulatedDataFile,
                                settings.emulatedLockFile};
        auto chip =
            std::make_unique<EmulatedIspChip>(settings.emulatedChip, lptBase, files, &clock);
        opened.chip = chip.get();
        opened.port = std::move(chip);
        opened.access = ParallelAccess::Emulated;
        return opened;
    }
    if (mode == "ppdev" || mode == "auto") {
        opened.port = TryPpdev(settings, lptBase);
        if (opened.port) {
            opened.access = ParallelAccess::Ppdev;
            return opened;
        }
    }
    if (mode == "direct" || mode == "auto") {
        opened.port = TryDirect(lptBase);
        if (opened.port)
            opened.access = ParallelAccess::Direct;
    }
    return opened;
}

}  // namespace qvt
