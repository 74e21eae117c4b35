#include "compose/parallel_backend.h"

#include <memory>
#include <string>

#include "emulation/emulated_isp_chip.h"

namespace qvt {

ParallelBackend OpenParallelBackend(const PlatformSettings& settings, std::uint16_t lptBase,
                                    Counter& clock, const ParallelPortOpeners& openers) {
    ParallelBackend backend;
    if (settings.parallelAccess != ParallelAccess::kEmulated) {
        static_cast<OpenedParallelPort&>(backend) =
            OpenSystemParallelPort(settings, lptBase, openers);
        return backend;
    }
    const EmulatedChipFiles files{settings.emulatedCodeFile, settings.emulatedDataFile,
                                  settings.emulatedLockFile};
    auto chip = std::make_unique<EmulatedIspChip>(settings.emulatedChip, lptBase, files, &clock);
    backend.chip = chip.get();
    backend.description = "emulated " + std::to_string(ChipNumber(chip->chip()));
    backend.port = std::move(chip);
    backend.access = ParallelAccess::kEmulated;
    return backend;
}

}  // namespace qvt
