#include "platform/parallel_port_factory.h"

#include <cstdio>

#include "platform/direct_io_port.h"
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

OpenedParallelPort OpenSystemParallelPort(const PlatformSettings& settings, std::uint16_t lptBase,
                                          const ParallelPortOpeners& openers) {
    OpenedParallelPort opened;
    const ParallelAccess mode = settings.parallelAccess;
    if (mode == ParallelAccess::kPpdev || mode == ParallelAccess::kAuto) {
        const std::string& device = lptBase == 0x278 ? settings.ppdevFor278 : settings.ppdevFor378;
        opened.port = openers.ppdev(lptBase, device);
        if (opened.port) {
            opened.access = ParallelAccess::kPpdev;
            opened.description = "ppdev " + device;
            return opened;
        }
    }
    if (mode == ParallelAccess::kDirect || mode == ParallelAccess::kAuto) {
        opened.port = openers.direct(lptBase);
        if (opened.port) {
            opened.access = ParallelAccess::kDirect;
            opened.description = "direct " + Hex(lptBase);
        }
    }
    return opened;
}

}  // namespace qvt
