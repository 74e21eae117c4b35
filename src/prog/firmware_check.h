#pragma once

#include <cstddef>
#include <cstdio>

#include "prog/prog_status.h"

namespace qvt {

// What reading a firmware file through found.
enum class FirmwareFault {
    kNone,
    kFormat,     // not valid Intel HEX
    kChecksum,   // a record's checksum does not match
    kReadError,  // the file stopped giving its bytes (an I/O error)
    kTooLarge,   // a data byte lies at or beyond memorySize
};

// Reads a firmware file from its start through the HEX reader to its end
// record, so that a broken file, or one meant for a larger memory, is found
// before the chip is erased or written. A memorySize of 0 sets no limit.
// Leaves the file at its start again.
FirmwareFault FindFirmwareFault(std::FILE* file, std::size_t memorySize);

// The same as a programming status: Ok, FormatError (a file too large or not
// readable included) or ChecksumError.
ProgStatus CheckHexFile(std::FILE* file, std::size_t memorySize);

}  // namespace qvt
