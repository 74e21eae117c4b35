#pragma once

#include <cstdint>

#include "core/parameter_record.h"

namespace qvt {

// The frequency, speed, counter and flow family: the exception wherever the
// display settings are coded per family.
constexpr bool IsCounterFamily(std::uint8_t deviceType) {
    return deviceType == kDeviceQvt0xx;
}

// The voltage, current and temperature family and the clock device: the
// dialogs code their choices alike for these two, and every other type value
// (the counter family and any unknown one) the other way.
constexpr bool IsMainFamily(std::uint8_t deviceType) {
    return deviceType == kDeviceQvt410 || deviceType == kDeviceQvt055;
}

// Families that read the numeric texts as decimal numbers into 16 bits (two's
// complement). The main family, and any unknown type, reads them as BCD with
// bit 13 as the minus sign.
constexpr bool ReadsBinaryNumbers(std::uint8_t deviceType) {
    return deviceType == kDeviceQvt0xx || deviceType == kDeviceQvt055;
}

}  // namespace qvt
