#pragma once

#include <cstdint>

#include "core/parameter_record.h"

namespace qvt {

// The frequency, speed, counter and flow family: the exception wherever the
// display settings are coded per family.
constexpr bool IsCounterFamily(std::uint8_t deviceType) {
    return deviceType == kDeviceQvt0xx;
}

// Families that read the numeric texts as decimal numbers into 16 bits (two's
// complement). The main family, and any unknown type, reads them as BCD with
// bit 13 as the minus sign.
constexpr bool ReadsBinaryNumbers(std::uint8_t deviceType) {
    return deviceType == kDeviceQvt0xx || deviceType == kDeviceQvt055;
}

}  // namespace qvt
