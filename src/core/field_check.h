#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qvt {

struct ParameterRecord;

// How a numeric text travels in the parameter telegram. The encodings cannot
// carry every text: the main family packs four decimal digits as BCD with
// bit 13 as the minus sign, the other families send 16-bit binary numbers,
// and the send cycle a single byte. A text outside them reaches the device as
// another value, so it is refused before anything is sent.
enum class NumberEncoding {
    kSigned,    // BCD with sign bit (type 0), two's complement (types 1, 2)
    kUnsigned,  // BCD (type 0), binary (types 1, 2)
    kBcd,       // BCD for every device type
    kByte,      // the low 8 bits of the number
};

struct AllowedRange {
    std::int32_t low = 0;
    std::int32_t high = 0;
};

AllowedRange RangeFor(NumberEncoding encoding, std::uint8_t deviceType);

// Whether the device receives exactly the number the text shows: digits,
// with blanks before them (the sign position of texts like " 0000") and
// after them, a "+" in front, and a "-" in front where the field is signed.
// Nothing or blanks only is 0. The main family recognises the minus only as
// the very first character.
bool FitsEncoding(std::string_view text, NumberEncoding encoding, std::uint8_t deviceType);

// The record's numbers that are sent, in the order of their dialogs. The
// clock texts are not sent (the PC's clock is) and have no place here.
enum class NumericField {
    kMbMeasStart,
    kMbDisplayStart,
    kMbMeasEnd,
    kMbDisplayEnd,
    kAzAverageCount,
    kSp1Setpoint,
    kSp1Hysteresis,
    kSp1Delay,
    kSp2Setpoint,
    kSp2Hysteresis,
    kSp2Delay,
    kSioSendCycle,
    kSoEncoderPulses,
};

// A text that cannot be sent as it reads, named by the label of its dialog.
struct FieldFault {
    std::string label;
    std::string text;  // as the dialog shows it, in UTF-8
    AllowedRange range;
    // Why the text is no number, e.g. which character is wrong (UTF-8);
    // empty when it is a number outside the range.
    std::string problem;
};

// Whether the device type reads the field at all. The encoder pulses belong to
// the counter family: for the others their dialog is not offered, so a value
// left from a counter set is neither checked nor anything the user can reach.
bool FieldUsedBy(NumericField field, std::uint8_t deviceType);

// Nothing when the device type does not use the field or receives exactly the
// number the text shows.
std::optional<FieldFault> CheckField(NumericField field, std::string_view text,
                                     std::uint8_t deviceType);
// The number the device receives for a text that passes CheckField.
std::optional<std::int32_t> SentNumber(NumericField field, std::string_view text,
                                       std::uint8_t deviceType);
// The label a field has in its dialog, and the field's text in the record.
std::string_view FieldLabel(NumericField field);
std::string_view FieldText(const ParameterRecord& record, NumericField field);
// Every sent number the record's device type uses, checked for that type.
std::vector<FieldFault> CheckSentFields(const ParameterRecord& record);

// The clock dialog's texts. They are stored in the parameter file, not sent
// (the PC's clock is), but the device clock can only hold a real date and
// time of its century, so nothing else is committed.
enum class ClockField { kMinute, kHour, kDay, kMonth, kYear };
struct ClockTexts {
    std::string_view minute, hour, day, month, year;
};
struct ClockFault {
    ClockField field;
    FieldFault fault;
};
// In the dialog's order; the day is checked against the month and year shown.
std::vector<ClockFault> CheckClockTexts(const ClockTexts& texts);

// The display's test value: four positions read from the right, a blank
// position counting as 0 (so "12  " is 1200). The display shows at most 3999.
std::optional<FieldFault> CheckTestValue(std::string_view positions);

// One line per fault (UTF-8): "Messwert Bereichsende: 2000 (zulässig -1999 bis 1999)",
// "Sendezyklus: 1x5 (Zeichen „x“ an Stelle 2 unzulässig; zulässig 0 bis 255)".
std::string FaultLines(const std::vector<FieldFault>& faults);

}  // namespace qvt
