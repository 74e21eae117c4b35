#include "platform/parallel_port_factory.h"

#include <cstdio>

#include "platform/direct_io_port.h"
#include "platform/emulated_isp_chip.h"
#include "platform/ppdev_port.h"

namespace qvt {
namespace {

template <typename Port>
std::unique_ptr<ParallelPort> IfOpened(std::unique_ptr<Port> port) {
    if (!port->Open())
        return nullptr;
    return port;
}

std::string Hex(std::uint16_t base) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%03X", base);
    return text;
}

}  // namespace

ParallelPortOpeners SystemParallelPortOpeners() {
    return {[](std::uint16_t base, const std::string& device) {
                return IfOpened(std::make_unique<PpdevPort>(base, device));
            },
            [](std::uint16_t base) { return IfOpened(std::make_unique<DirectIoPort>(base)); }};
}

OpenedParallelPort OpenParallelPort(const PlatformSettings& settings, std::uint16_t lptBase,
                                    Counter& clock, const ParallelPortOpeners& openers) {
    OpenedParallelPort opened;
    const std::string& mode = settings.parallelAccess;
    if (mode == "emulated") {
        EmulatedChipFiles files{settings.emulatedCodeFile, settings.emulatedDataFile,
                                settings.emulatedLockFile};
        auto chip =
            std::make_unique<EmulatedIspChip>(settings.emulatedChip, lptBase, files, &clock);
        opened.chip = chip.get();
        opened.description = "emulated " + std::to_string(chip->chipType());
        opened.port = std::move(chip);
        opened.access = ParallelAccess::Emulated;
        return opened;
    }
    if (mode == "ppdev" || mode == "auto") {
        const std::string& device = lptBase == 0x278 ? settings.ppdevFor278 : settings.ppdevFor378;
        opened.port = openers.ppdev(lptBase, device);
        if (opened.port) {
            opened.access = ParallelAccess::Ppdev;
            opened.description = "ppdev " + device;
            return opened;
        }
    }
    if (mode == "direct" || mode == "auto") {
        opened.port = openers.direct(lptBase);
        if (opened.port) {
            opened.access = ParallelAccess::Direct;
            opened.description = "direct " + Hex(lptBase);
        }
    }
    return opened;
}

}  // namespace qvt
