#pragma once

#include <cstdint>
#include <memory>

#include "core/platform_settings.h"
#include "platform/parallel_port.h"

namespace qvt {

class Counter;
class EmulatedIspChip;

// How the parallel port is reached on this machine.
enum class ParallelAccess { None, Ppdev, Direct, Emulated };

struct OpenedParallelPort {
    std::unique_ptr<ParallelPort> port;  // null when there is no access
    ParallelAccess access = ParallelAccess::None;
    EmulatedIspChip* chip = nullptr;  // the emulated chip behind the port, if any
};

// Chooses the access from [parallel] access: ppdev, direct, emulated or none
// as named; auto takes ppdev when the port's device can be opened and claimed,
// else direct port I/O when the process may have it, else none. A named mode
// that cannot be had also ends in none. The emulated chip times its write
// cycles with clock.
OpenedParallelPort OpenParallelPort(const PlatformSettings& settings, std::uint16_t lptBase,
                                    Counter& clock);

}  // namespace qvt
