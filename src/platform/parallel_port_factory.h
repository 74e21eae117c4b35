#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "core/platform_settings.h"
#include "platform/parallel_port.h"

namespace qvt {

struct OpenedParallelPort {
    std::unique_ptr<ParallelPort> port;  // null when there is no access
    ParallelAccess access = ParallelAccess::kNone;
    // The mode and what it reaches: "ppdev /dev/parport0", "direct 0x378",
    // "emulated 8253" or "none".
    std::string description = "none";
};

// The two real kinds of port; each gives null when it cannot be had. Tests
// put stand-ins in their place.
struct ParallelPortOpeners {
    std::function<std::unique_ptr<ParallelPort>(std::uint16_t base, const std::string& device)>
        ppdev;
    std::function<std::unique_ptr<ParallelPort>(std::uint16_t base)> direct;
};
ParallelPortOpeners SystemParallelPortOpeners();

// The operating system's access as [parallel] access names it: ppdev, direct
// or none; auto takes ppdev when the port's device can be opened and claimed
// in time, else direct port I/O when the process may have it, else none. A
// named mode that cannot be had ends in none, and so does any mode this layer
// does not provide (the emulated cable is chosen above it). Never waits long
// for a port that another process holds.
OpenedParallelPort OpenSystemParallelPort(
    const PlatformSettings& settings, std::uint16_t lptBase,
    const ParallelPortOpeners& openers = SystemParallelPortOpeners());

}  // namespace qvt
