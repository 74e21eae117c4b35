#pragma once

#include <array>
#include <cstdint>
#include <cstdio>

#include "prog/prog_status.h"

namespace qvt {

// The last record read from an Intel HEX firmware file.
struct HexRecord {
    std::uint16_t Address = 0;  // load address of Data[0]
    std::uint8_t Length = 0;    // number of data bytes
    std::array<std::uint8_t, 255> Data{};
    std::uint8_t Checksum = 0;  // the checksum byte the record should end with
};

// Results of ReadHexRecord besides kProgFormatError and kProgChecksumError.
inline constexpr ProgStatus kHexEndOfData = 0;
inline constexpr ProgStatus kHexDataRecord = 1;

// Reads the next data record from a file opened "rb". CR and LF between
// records are skipped. Every record is read whole and its checksum checked,
// the ones that end the data included. Returns
//   kHexEndOfData       a record of length 0, or an end-of-file record (type 01),
//                       whose checksum matches;
//   kHexDataRecord      a data record with a matching checksum, now in record;
//   kProgFormatError    anything else where a ":" record or a hex digit belongs,
//                       the end of the file included;
//   kProgChecksumError  the record's bytes do not add up to 0 (record holds it).
// Address records carry no data and are passed over: start addresses (types
// 03, 05) always, segment and linear bases (02, 04) when the base is 0. A
// non-zero base addresses memory these chips do not have and is a format
// error, as is a record type above 05.
ProgStatus ReadHexRecord(std::FILE* file, HexRecord& record);

}  // namespace qvt
