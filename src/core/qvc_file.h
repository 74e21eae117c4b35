#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/parameter_record.h"

namespace qvt {

// Parameter file ".QVC": 38 signed 16-bit words, little-endian, no header.
// Numeric texts are stored as their numbers, code bytes as themselves, the
// three unit characters and the device type sign-extended. Word order:
//    1- 4  measuring range (start measured/display, end measured/display)
//    5     reserved            6  decimal point code
//    7- 8  switching point 1 setpoint, active    9-10  the same for point 2
//   11-12  hysteresis 1 and 2 13  display mode     14  encoder pulses
//   15-16  relay NC 1 and 2    17-18  delay 1 and 2  19-20  reserved
//   21     rounding (anything above 2 as 5)         22  average count
//   23     function code       24  count direction  25  interface mode
//   26     divide by ten       27  interface baud index
//   28-33  clock minute, hour, day, weekday, month, year
//   34     send cycle          35-37  unit characters  38  device type
inline constexpr std::size_t kParameterFileWords = 38;
inline constexpr std::size_t kParameterFileSize = 2 * kParameterFileWords;

using ParameterFileImage = std::array<std::uint8_t, kParameterFileSize>;

// The number of a numeric text as the C library's atoi reads it (leading
// white space, one optional sign, decimal digits up to the first other
// character, no digits = 0), kept to its low 16 bits without overflow.
std::int16_t TextToWord(std::string_view text);

// The 76 bytes of the file for a record. The record is not changed.
ParameterFileImage EncodeParameterFile(const ParameterRecord& record);

// Stores the words of a file image into the record. Only whole words present
// in the data are read: the fields of a short file's missing words keep their
// values. A number whose decimal text does not fit its field is cut to the
// field's capacity. Fields the file does not hold are left alone. A record of
// the counter family (device type 1) gets its own "Fünfer" code 3 for the
// file's 5.
void DecodeParameterFile(std::span<const std::uint8_t> data, ParameterRecord& record);

// Decodes the data read from a file into the record, unless it is no complete
// parameter file of ours: shorter than 76 bytes, naming a device type other
// than 0..2, or holding a number whose decimal text is longer than its field.
// Then false, with the record unchanged. Bytes beyond the 76 are not read.
bool DecodeKnownParameterFile(std::span<const std::uint8_t> data, ParameterRecord& record);

}  // namespace qvt
