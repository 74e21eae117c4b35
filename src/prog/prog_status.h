#pragma once

#include <cstdint>

namespace qvt {

// Outcome of a programming routine. The numbers are fixed: they are the
// status numbers the programming routines have always reported.
enum class ProgStatus : std::uint16_t {
    Ok = 0,
    WriteFailed = 5,    // a byte or page did not write or verify
    FormatError = 6,    // firmware file is not valid Intel HEX
    ChecksumError = 7,  // a record's checksum does not match
    NoEnable = 8,       // the chip did not answer the enable
    Aborted = 9,        // the user pressed ESC
};

}  // namespace qvt
