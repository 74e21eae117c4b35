#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace qvt {

// QVT410.CFG: four bytes in the working directory that keep the PC-side
// settings across runs.
//   byte 0  serial port index (0..5 = COM1..COM6)
//   byte 1  PC baud rate index (1..7 = 300..19200, anything else 4800)
//   byte 2  parallel port index (0..3)
//   byte 3  "Telegramm zeigen" (0 off, anything else on)
inline constexpr const char* kConfigFileName = "QVT410.CFG";

inline constexpr std::size_t kConfigFileSize = 4;
using ConfigFileBytes = std::array<std::uint8_t, kConfigFileSize>;

// What a missing file is created with: COM2, 4800 baud, LPT1, telegram shown.
inline constexpr ConfigFileBytes kConfigFileDefaults = {0x01, 0x05, 0x00, 0x01};

// Where each setting is patched in place.
inline constexpr long kSerialSettingsOffset = 0;  // port index, then baud index
inline constexpr long kLptIndexOffset = 2;
inline constexpr long kShowTelegramOffset = 3;

struct ConfigValues {
    std::uint8_t portIndex = 1;
    std::uint8_t baudIndex = 5;
    std::uint8_t lptIndex = 0;
    bool showTelegram = true;
};

// The settings of the file's four bytes. A short file's missing bytes are
// given as 255, the byte reader's end-of-file value, and so read as 255
// (indices) and as "on" (check mark). The port index is clamped to 5 and the
// parallel index to 3; the baud index is left as read.
ConfigValues DecodeConfigFile(const ConfigFileBytes& bytes);

// The parallel port base address for a parallel port index.
std::uint16_t LptBaseForIndex(std::uint8_t lptIndex);

}  // namespace qvt
