#pragma once

#include <cstdint>

#include "core/platform_settings.h"
#include "platform/parallel_port_factory.h"

namespace qvt {

class Counter;
class EmulatedIspChip;

// The parallel port the program programs through, and the emulated chip
// behind it when the cable is emulated.
struct ParallelBackend : OpenedParallelPort {
    EmulatedIspChip* chip = nullptr;
};

// Chooses the backend from [parallel] access: "emulated" puts the emulated
// cable and chip of [emulator] on the port, timing its write cycles with
// clock; every other mode is the operating system's (OpenSystemParallelPort).
ParallelBackend OpenParallelBackend(
    const PlatformSettings& settings, std::uint16_t lptBase, Counter& clock,
    const ParallelPortOpeners& openers = SystemParallelPortOpeners());

}  // namespace qvt
