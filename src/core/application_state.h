#pragma once

#include <cstdint>
#include <string>

#include "core/chip.h"
#include "core/parallel_access.h"

namespace qvt {

// PC-side state shared by the shell, the device link and the programmer.
struct ApplicationState {
    std::uint8_t portIndex = 1;  // 0..5 = COM1..COM6
    std::uint8_t baudIndex = 5;  // 1..7 = 300..19200 baud, anything else 4800
    std::uint8_t lptIndex = 0;   // 0..3
    std::uint16_t lptBase = 0x378;
    // The chip's type number, as the device label and the window's state
    // dump show it; code reads and sets it through chip() and SetChip().
    std::uint16_t chipType = ChipNumber(kDefaultChip);
    std::uint8_t networkDevice = 0;
    std::uint8_t printEnabled = 0;
    std::uint8_t logEnabled = 0;
    std::int32_t printLineCount = 0;
    std::int32_t printPageNumber = 1;
    bool showTelegram = true;
    std::string currentFileName = "Leer";
    ParallelAccess portAccessMode = ParallelAccess::kNone;  // the access in use
    std::uint8_t shutdownDone = 0;
    // Where QVT410.CFG was found at start. Choosing a firmware file in another
    // folder moves the working directory, but the settings stay in one file.
    std::string configFilePath = "QVT410.CFG";

    Chip chip() const { return ChipFromNumber(chipType).value_or(kDefaultChip); }
    void SetChip(Chip chip) { chipType = ChipNumber(chip); }
};

}  // namespace qvt
