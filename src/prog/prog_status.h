#pragma once

#include <cstdint>

namespace qvt {

// Outcome of a programming routine. The numbers are fixed: they are the
// status numbers the programming routines have always reported.
enum class ProgStatus : std::uint16_t {
    kOk = 0,
    kWriteFailed = 5,    // a byte or page did not write or verify
    kFormatError = 6,    // firmware file is not valid Intel HEX
    kChecksumError = 7,  // a record's checksum does not match
    kNoEnable = 8,       // the chip did not answer the enable
    kAborted = 9,        // the user pressed ESC
    kCableFailed = 10,   // the cable stopped working (a USB adapter pulled)
};

}  // namespace qvt
