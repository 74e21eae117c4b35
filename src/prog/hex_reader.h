#pragma once

#include <array>
#include <cstdint>
#include <cstdio>

#include "prog/prog_status.h"

namespace qvt {

// The last record read from an Intel HEX firmware file.
struct HexRecord {
    std::uint16_t address = 0;  // load address of data[0]
    std::uint8_t length = 0;    // number of data bytes
    std::array<std::uint8_t, 255> data{};
    std::uint8_t checksum = 0;  // the checksum byte the record should end with
};

// No firmware file of these chips is longer: every address of the 64 KiB
// the records can name, each byte in a record of its own (":01AAAA00DDCC"
// and CR LF, 15 characters), is 983,040 characters. A file that goes on
// past this is not firmware, however valid its records look, and its
// reading ends there instead of at its end.
inline constexpr long kLargestHexFile = 1L << 20;

// What ReadHexRecord found. The file errors carry the numbers of the
// programming statuses they end a run with.
enum class HexResult : std::uint8_t {
    kEndOfData = 0,
    kDataRecord = 1,
    kFormatError = 6,
    kChecksumError = 7,
};

// Reads the next data record from a file opened "rb". CR and LF between
// records are skipped. Every record is read whole and its checksum checked,
// the ones that end the data included. Returns
//   EndOfData      a record of length 0, or an end-of-file record (type 01),
//                  whose checksum matches;
//   DataRecord     a data record with a matching checksum, now in record;
//   FormatError    anything else where a ":" record or a hex digit belongs,
//                  the end of the file included, any character beyond the
//                  first kLargestHexFile characters, and a file that cannot
//                  tell its position (a pipe: the progress display needs it);
//   ChecksumError  the record's bytes do not add up to 0 (record holds it).
// Address records carry no data and are passed over: start addresses (types
// 03, 05) always, segment and linear bases (02, 04) when the base is 0. A
// non-zero base addresses memory these chips do not have and is a format
// error, as is a record type above 05.
HexResult ReadHexRecord(std::FILE* file, HexRecord& record);

// The status with which a result that ends the reading ends a programming
// run: the end of the data is success, a broken file its error. A data
// record ends nothing; asked anyway, it counts as a format error.
ProgStatus StatusOfEnd(HexResult result);

}  // namespace qvt
