#pragma once

#include <array>
#include <filesystem>
#include <string>

#include "core/cable_choice.h"
#include "core/chip.h"
#include "core/parallel_access.h"

namespace qvt {

// Settings of the Linux build, read once at start from the optional QVT410.INI
// beside QVT410.CFG. Everything missing or unreadable keeps the default below.
// The program writes only the [serial] keys, when the user assigns a device to
// a port name in "Serielle Schnittstelle PC", and type, device and pins of
// [cable], when the user chooses a cable in "Programmierschnittstelle".
inline constexpr const char* kPlatformSettingsFileName = "QVT410.INI";

// QVT410.INI in the folder of the given QVT410.CFG.
inline std::string PlatformSettingsPathBeside(const std::string& configFilePath) {
    return (std::filesystem::path(configFilePath).parent_path() / kPlatformSettingsFileName)
        .string();
}

struct PlatformSettings {
    // [serial] COM1..COM6: the device behind each port name.
    std::array<std::string, 6> serialDevices{"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS2",
                                             "/dev/ttyS3", "/dev/ttyS4", "/dev/ttyS5"};

    // [parallel]
    ParallelAccess parallelAccess = ParallelAccess::kAuto;  // access=auto, ppdev, direct, ...
    std::string ppdevFor378 = "/dev/parport0";
    std::string ppdevFor278 = "/dev/parport1";
    std::string portTraceFile;  // empty: no trace, whichever cable is in use

    // [cable] type=parallel|ftdi|gpio, device=, pins=, emulated=yes: the
    // programming cable. The pin map stays as written; it is checked when
    // the cable is opened, so a wrong one is told then, never replaced.
    CableChoice cable;

    // [emulator]
    Chip emulatedChip = kDefaultChip;  // chip=, its type number
    std::string emulatedCodeFile = "emulated-code.bin";
    std::string emulatedDataFile = "emulated-data.bin";
    std::string emulatedLockFile = "emulated-lock";

    // [programming] menu = visible
    bool programmingMenuVisible = false;

    const std::string& SerialDeviceFor(int portIndex) const {
        return serialDevices[portIndex >= 0 && portIndex < 6 ? portIndex : 5];
    }
};

}  // namespace qvt
