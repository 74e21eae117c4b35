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

// What a byte of the value field is to the big digits, and so to the number
// read from them: the one place that decides it for both.
enum class ValueByte {
    kCharacter,  // shown as it is
    kBlank,      // a control character, shown as a blank: the LF a device
                 // ending its telegrams with CR LF puts before the next one
    kEnd,        // the CR: the telegram ended here, and what follows it in the
                 // field was left in the buffer by an earlier, longer telegram
};
ValueByte ValueByteRole(char byte);

// The value field as the big digits show it: up to its CR, every other
// control character (C0, DEL and the C1 range of Latin-1) as a blank.
std::string ShownValue(std::string_view field);

// The number the big digits show (see ShownValue): blanks are ignored, an
// optional sign may lead, then digits with at most one '.' or ','. Nothing
// when any other character occurs or no digit does.
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
