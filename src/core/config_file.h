#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace qvt {

// QVT410.CFG: four bytes in the working directory that keep the PC-side
// settings across runs.
//   byte 0  serial port index (0..5 = COM1..COM6)
//   byte 1  PC baud rate index (1..7 = 300..19200, anything else 4800)
//   byte 2  parallel port index (0..3)
//   byte 3  "Telegramm zeigen" (0 off, anything else on)
inline constexpr const char* kConfigFileName = "QVT410.CFG";

struct ConfigValues {
    std::uint8_t PortIndex = 1;
    std::uint8_t BaudIndex = 5;
    std::uint8_t LptIndex = 0;
    bool ShowTelegram = true;
};

// Reads the file, creating it with the defaults 01 05 00 01 when it is missing.
// Bytes missing from a short file read as 255 (indices) and as "on" (check
// mark), as the byte reader's end-of-file value would. The port index is
// clamped to 5 and the parallel index to 3; the baud index is left as read.
// Returns nothing when the file can be neither opened nor created, or when the
// name stands for a pipe, device or folder (never waited on).
std::optional<ConfigValues> ReadConfigurationFile(const std::string& path = kConfigFileName);

// The parallel port base address for a parallel port index.
std::uint16_t LptBaseForIndex(std::uint8_t lptIndex);

// Patch writers: update bytes of an existing file in place. They never create
// the file and report nothing; a missing or read-only file is left as it is,
// and a pipe or device of that name gets nothing, without waiting on it.
void WriteSerialSettings(std::uint8_t portIndex, std::uint8_t baudIndex,
                         const std::string& path = kConfigFileName);
void WriteLptIndex(std::uint8_t lptIndex, const std::string& path = kConfigFileName);
void WriteShowTelegram(bool shown, const std::string& path = kConfigFileName);

}  // namespace qvt
