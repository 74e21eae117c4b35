#pragma once

#include <cstdint>

namespace qvt {

// Outcome numbers of the HEX reader and the programming routines.
using ProgStatus = std::uint16_t;

inline constexpr ProgStatus kProgOk = 0;
inline constexpr ProgStatus kProgWriteFailed = 5;    // a byte or page did not write or verify
inline constexpr ProgStatus kProgFormatError = 6;    // firmware file is not valid Intel HEX
inline constexpr ProgStatus kProgChecksumError = 7;  // a record's checksum does not match
inline constexpr ProgStatus kProgNoEnable = 8;       // the chip did not answer the enable
inline constexpr ProgStatus kProgAborted = 9;        // the user pressed ESC

}  // namespace qvt
