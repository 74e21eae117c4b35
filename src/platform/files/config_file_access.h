#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/config_file.h"

namespace qvt {

// QVT410.CFG on disk; its bytes are described in core/config_file.h.

// Reads the file, creating it with the defaults 01 05 00 01 when it is missing.
// Returns nothing when the file can be neither opened nor created, cannot be
// read, or when the name stands for a pipe, device or folder (never waited on).
std::optional<ConfigValues> ReadConfigurationFile(const std::string& path = kConfigFileName);
// Reads the file and never writes it (a tool that only borrows the settings):
// a missing file gives the defaults it would be created with.
std::optional<ConfigValues> ReadConfigurationFileOnly(const std::string& path = kConfigFileName);

// Patch writers: update bytes of an existing file in place. They never create
// the file and report nothing; a missing or read-only file is left as it is,
// and a pipe or device of that name gets nothing, without waiting on it.
void WriteSerialSettings(std::uint8_t portIndex, std::uint8_t baudIndex,
                         const std::string& path = kConfigFileName);
void WriteLptIndex(std::uint8_t lptIndex, const std::string& path = kConfigFileName);
void WriteShowTelegram(bool shown, const std::string& path = kConfigFileName);

}  // namespace qvt
