#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qvt {

// The measured value a device telegram carries, as a number.
//
// The device sends its display as text: a sign, digits with blanks where the
// display suppresses leading zeros, a decimal point (a comma on some
// editions) and, in the 26-character form, one unit character after the
// field. The monitor cuts the field out with a blank inserted after its first
// character ("+ 0012.34"). Dashes, letters or an empty field (overrange, a
// sensor break, a display test) carry no number.
struct MeasuredValue {
    std::optional<double> number;
    int decimals = 0;  // digits after the decimal point, as the device shows them
    std::string unit;  // UTF-8; empty when the telegram carries none
};

// The number in a value field: blanks and the CR of a short telegram are
// ignored, an optional sign may lead, then digits with at most one '.' or ','.
// Nothing when any other character occurs or no digit does.
std::optional<double> ParseMeasuredValue(std::string_view field);

// How the monitor cut the telegram, which decides where the unit is.
enum class TelegramForm {
    kShort,      // up to 14 characters and CR: the value only
    kLong27,     // 26 characters, CR and a trailing byte: stamp, value, unit
    kLong28,     // 27 characters and CR: stamp and a 9-character value
    kLongOther,  // long, but its CR in neither place
};

// The value of a whole telegram: its field as the monitor cut it and its text
// (the telegram up to the first zero byte, Latin-1). The unit is the
// character after the field of the 26-character form, when it is printable
// and no digit.
MeasuredValue ReadMeasuredValue(TelegramForm form, std::string_view text, std::string_view field);

}  // namespace qvt
