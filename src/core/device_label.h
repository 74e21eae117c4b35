#pragma once

#include <cstdint>
#include <string>

#include "core/chip.h"

namespace qvt {

// The device label of the main window: family text and a suffix telling the
// chip variant ("-3E" single / "-3N" network device on an 8253, "-2" on an
// 8252). The clock device always carries "-2".
std::string FamilyText(std::uint8_t deviceType);
std::string DeviceLabelSuffix(std::uint8_t deviceType, Chip chip, std::uint8_t networkDevice);
std::string DeviceLabel(std::uint8_t deviceType, Chip chip, std::uint8_t networkDevice);

}  // namespace qvt
