#pragma once

#include <cstdint>
#include <string>

#include "core/chip.h"
#include "core/parallel_access.h"

namespace qvt {

// PC-side state shared by the shell, the device link and the programmer.
struct ApplicationState {
    std::uint8_t PortIndex = 1;  // 0..5 = COM1..COM6
    std::uint8_t BaudIndex = 5;  // 1..7 = 300..19200 baud, anything else 4800
    std::uint8_t LptIndex = 0;   // 0..3
    std::uint16_t LptBase = 0x378;
    // The chip's type number, as the device label and the window's state
    // dump show it; code reads and sets it through chip() and SetChip().
    std::uint16_t ChipType = ChipNumber(kDefaultChip);
    std::uint8_t NetworkDevice = 0;
    std::uint8_t PrintEnabled = 0;
    std::uint8_t LogEnabled = 0;
    std::int32_t PrintLineCount = 0;
    std::int32_t PrintPageNumber = 1;
    bool ShowTelegram = true;
    std::string CurrentFileName = "Leer";
    ParallelAccess PortAccessMode = ParallelAccess::kNone;  // the access in use
    std::uint8_t ShutdownDone = 0;
    // Where QVT410.CFG was found at start. Choosing a firmware file in another
    // folder moves the working directory, but the settings stay in one file.
    std::string ConfigFilePath = "QVT410.CFG";

    Chip chip() const { return ChipFromNumber(ChipType).value_or(kDefaultChip); }
    void SetChip(Chip chip) { ChipType = ChipNumber(chip); }
};

}  // namespace qvt
