#include "core/field_check.h"

#include <algorithm>

#include "core/device_family.h"
#include "core/latin1_text.h"
#include "core/parameter_record.h"

namespace qvt {
namespace {

// Beyond every range; keeps a long row of digits from overflowing.
constexpr std::int64_t kBeyondAnyRange = 1'000'000'000;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Where a text may carry a minus.
enum class Minus {
    kNone,     // nowhere: unsigned fields (a minus wraps around)
    kFirst,    // only as the very first character (the main family's signed fields)
    kInFront,  // in front of the digits, after any blanks (decimal signed fields)
};

std::string Position(std::size_t index) {
    return " an Stelle " + std::to_string(index + 1);
}

std::string WrongCharacter(std::string_view text, std::size_t index) {
    if (text[index] == ' ')
        return "Leerzeichen" + Position(index) + " unzulässig";
    return "Zeichen „" + Utf8FromLatin1(text.substr(index, 1)) + "“" + Position(index) +
           " unzulässig";
}

// A text read the way the encoders read it, when they read exactly what it
// shows; otherwise why not.
struct Reading {
    std::optional<std::int64_t> number;
    std::string problem;
};

// Blanks, a sign, digits, blanks; nothing or blanks only is 0. The encoders
// skip blanks in front, take one sign and stop at the first character after
// the digits, so only trailing blanks may follow unread.
Reading ReadAsShown(std::string_view text, Minus minus) {
    const auto skipBlanks = [&text](std::size_t i) {
        while (i < text.size() && text[i] == ' ') ++i;
        return i;
    };
    std::size_t i = 0;
    bool negative = false;
    if (minus == Minus::kFirst && !text.empty() && text[0] == '-') {
        negative = true;
        i = 1;
    } else {
        i = skipBlanks(0);
        if (i == text.size())
            return {0, {}};
        if (text[i] == '+') {
            ++i;
        } else if (text[i] == '-' && minus == Minus::kInFront) {
            negative = true;
            ++i;
        } else if (text[i] == '-' && minus == Minus::kFirst) {
            return {std::nullopt, "„-“" + Position(i) + ": das Minus muss das erste Zeichen sein"};
        }
    }
    const std::size_t firstDigit = i;
    std::int64_t value = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        value = std::min(value * 10 + (text[i] - '0'), kBeyondAnyRange);
    }
    if (i == firstDigit) {
        return {std::nullopt, i == text.size() ? "keine Ziffer" : WrongCharacter(text, i)};
    }
    const std::size_t afterDigits = i;
    i = skipBlanks(i);
    if (i < text.size()) {
        // "1 5" is read as 1: the blank between the digits is what is wrong.
        return {std::nullopt, WrongCharacter(text, IsDigit(text[i]) ? afterDigits : i)};
    }
    return {negative ? -value : value, {}};
}

Minus MinusFor(NumberEncoding encoding, std::uint8_t deviceType) {
    if (encoding != NumberEncoding::kSigned)
        return Minus::kNone;
    return ReadsBinaryNumbers(deviceType) ? Minus::kInFront : Minus::kFirst;
}

// The reading of a text against a range: the fault, if any.
std::optional<FieldFault> FaultOf(std::string_view label, std::string_view text,
                                  const Reading& reading, AllowedRange range) {
    if (reading.number && *reading.number >= range.low && *reading.number <= range.high)
        return std::nullopt;
    return FieldFault{std::string(label), Utf8FromLatin1(text), range, reading.problem};
}

struct FieldEntry {
    NumericField field;
    const char* label;
    NumberEncoding encoding;
    std::string_view (*text)(const ParameterRecord&);
};

// Where a label appears twice (the two switching points), its group names it.
const FieldEntry kSentFields[] = {
    {NumericField::kMbMeasStart, "Messwert Bereichsanfang (Zählerstand)", NumberEncoding::kSigned,
     [](const ParameterRecord& r) { return r.mbMeasStart.view(); }},
    {NumericField::kMbDisplayStart, "Anzeigewert Bereichsanfang", NumberEncoding::kSigned,
     [](const ParameterRecord& r) { return r.mbDisplayStart.view(); }},
    {NumericField::kMbMeasEnd, "Messwert Bereichsende", NumberEncoding::kSigned,
     [](const ParameterRecord& r) { return r.mbMeasEnd.view(); }},
    {NumericField::kMbDisplayEnd, "Anzeigewert Bereichsende", NumberEncoding::kSigned,
     [](const ParameterRecord& r) { return r.mbDisplayEnd.view(); }},
    {NumericField::kAzAverageCount, "Messungen für Durchschnittsbildung", NumberEncoding::kBcd,
     [](const ParameterRecord& r) { return r.azAverageCount.view(); }},
    {NumericField::kSp1Setpoint, "Schaltpunkt 1 – Schaltpunkt", NumberEncoding::kSigned,
     [](const ParameterRecord& r) { return r.sp1Setpoint.view(); }},
    {NumericField::kSp1Hysteresis, "Schaltpunkt 1 – Hysterese", NumberEncoding::kSigned,
     [](const ParameterRecord& r) { return r.sp1Hysteresis.view(); }},
    {NumericField::kSp1Delay, "Schaltpunkt 1 – Verzögerung", NumberEncoding::kUnsigned,
     [](const ParameterRecord& r) { return r.sp1Delay.view(); }},
    {NumericField::kSp2Setpoint, "Schaltpunkt 2 – Schaltpunkt", NumberEncoding::kSigned,
     [](const ParameterRecord& r) { return r.sp2Setpoint.view(); }},
    {NumericField::kSp2Hysteresis, "Schaltpunkt 2 – Hysterese", NumberEncoding::kSigned,
     [](const ParameterRecord& r) { return r.sp2Hysteresis.view(); }},
    {NumericField::kSp2Delay, "Schaltpunkt 2 – Verzögerung", NumberEncoding::kUnsigned,
     [](const ParameterRecord& r) { return r.sp2Delay.view(); }},
    {NumericField::kSioSendCycle, "Sendezyklus", NumberEncoding::kByte,
     [](const ParameterRecord& r) { return r.sioSendCycle.view(); }},
    {NumericField::kSoEncoderPulses, "Impulse des Drehgebers", NumberEncoding::kSigned,
     [](const ParameterRecord& r) { return r.soEncoderPulses.view(); }},
};

const FieldEntry& EntryFor(NumericField field) {
    return *std::find_if(std::begin(kSentFields), std::end(kSentFields),
                         [field](const FieldEntry& e) { return e.field == field; });
}

}  // namespace

std::string_view FieldLabel(NumericField field) {
    return EntryFor(field).label;
}

std::string_view FieldText(const ParameterRecord& record, NumericField field) {
    return EntryFor(field).text(record);
}

namespace {

constexpr AllowedRange kTestValueRange{0, 3999};
constexpr std::size_t kTestValuePositions = 4;

}  // namespace

AllowedRange RangeFor(NumberEncoding encoding, std::uint8_t deviceType) {
    const bool binary = ReadsBinaryNumbers(deviceType);
    switch (encoding) {
        case NumberEncoding::kSigned:
            return binary ? AllowedRange{-32768, 32767} : AllowedRange{-1999, 1999};
        case NumberEncoding::kUnsigned:
            return binary ? AllowedRange{0, 65535} : AllowedRange{0, 9999};
        case NumberEncoding::kBcd:
            return {0, 9999};
        case NumberEncoding::kByte:
            return {0, 255};
    }
    return {};
}

bool FitsEncoding(std::string_view text, NumberEncoding encoding, std::uint8_t deviceType) {
    const Reading reading = ReadAsShown(text, MinusFor(encoding, deviceType));
    return !FaultOf({}, text, reading, RangeFor(encoding, deviceType));
}

bool FieldUsedBy(NumericField field, std::uint8_t deviceType) {
    return field != NumericField::kSoEncoderPulses || IsCounterFamily(deviceType);
}

std::optional<FieldFault> CheckField(NumericField field, std::string_view text,
                                     std::uint8_t deviceType) {
    if (!FieldUsedBy(field, deviceType))
        return std::nullopt;
    const FieldEntry& entry = EntryFor(field);
    const Reading reading = ReadAsShown(text, MinusFor(entry.encoding, deviceType));
    return FaultOf(entry.label, text, reading, RangeFor(entry.encoding, deviceType));
}

std::optional<std::int32_t> SentNumber(NumericField field, std::string_view text,
                                       std::uint8_t deviceType) {
    const FieldEntry& entry = EntryFor(field);
    const Reading reading = ReadAsShown(text, MinusFor(entry.encoding, deviceType));
    if (FaultOf(entry.label, text, reading, RangeFor(entry.encoding, deviceType)))
        return std::nullopt;
    return static_cast<std::int32_t>(*reading.number);
}

std::vector<FieldFault> CheckSentFields(const ParameterRecord& record) {
    std::vector<FieldFault> faults;
    for (const FieldEntry& entry : kSentFields) {
        if (auto fault = CheckField(entry.field, entry.text(record), record.deviceType))
            faults.push_back(std::move(*fault));
    }
    return faults;
}

std::optional<FieldFault> CheckTestValue(std::string_view positions) {
    std::int64_t value = 0;
    std::string problem;
    for (std::size_t i = 0; problem.empty() && i < positions.size(); ++i) {
        const char c = positions[i];
        if (c != ' ' && !IsDigit(c))
            problem = WrongCharacter(positions, i);
        value = std::min(value * 10 + (IsDigit(c) ? c - '0' : 0), kBeyondAnyRange);
    }
    const bool number = problem.empty() && positions.size() <= kTestValuePositions;
    if (number && value <= kTestValueRange.high)
        return std::nullopt;
    // A number is shown as the device would read it, so a left-aligned "4"
    // explains itself as 4000.
    return FieldFault{"Testwert", number ? std::to_string(value) : Utf8FromLatin1(positions),
                      kTestValueRange, problem};
}

namespace {

// The device clock counts the years of one century (the telegram carries two
// digits of them).
constexpr AllowedRange kYears{2000, 2099};

bool IsLeapYear(std::int64_t year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// The days of the month shown; 31 while the month is no month, and 29 for a
// February of no year the clock can hold.
std::int32_t DaysIn(const std::optional<std::int64_t>& month,
                    const std::optional<std::int64_t>& year) {
    constexpr std::int32_t kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (!month || *month < 1 || *month > 12)
        return 31;
    if (*month != 2)
        return kDays[*month - 1];
    const bool knownYear = year && *year >= kYears.low && *year <= kYears.high;
    return !knownYear || IsLeapYear(*year) ? 29 : 28;
}

}  // namespace

std::vector<ClockFault> CheckClockTexts(const ClockTexts& t) {
    // The file stores these texts as numbers (atoi): blanks, "+" and digits
    // read as they show; a minus would store a time that never was.
    const Reading minute = ReadAsShown(t.minute, Minus::kNone);
    const Reading hour = ReadAsShown(t.hour, Minus::kNone);
    const Reading day = ReadAsShown(t.day, Minus::kNone);
    const Reading month = ReadAsShown(t.month, Minus::kNone);
    const Reading year = ReadAsShown(t.year, Minus::kNone);
    const struct {
        ClockField field;
        const char* label;
        std::string_view text;
        const Reading& reading;
        AllowedRange range;
    } checks[] = {
        {ClockField::kMinute, "Minuten", t.minute, minute, {0, 59}},
        {ClockField::kHour, "Stunden", t.hour, hour, {0, 23}},
        {ClockField::kDay, "Tag", t.day, day, {1, DaysIn(month.number, year.number)}},
        {ClockField::kMonth, "Monat", t.month, month, {1, 12}},
        {ClockField::kYear, "Jahr", t.year, year, kYears},
    };
    std::vector<ClockFault> faults;
    for (const auto& c : checks) {
        if (auto fault = FaultOf(c.label, c.text, c.reading, c.range))
            faults.push_back({c.field, std::move(*fault)});
    }
    return faults;
}

std::string FaultLines(const std::vector<FieldFault>& faults) {
    std::string lines;
    for (const FieldFault& f : faults) {
        if (!lines.empty())
            lines += '\n';
        lines += f.label + ": " + f.text + " (" + (f.problem.empty() ? "" : f.problem + "; ") +
                 "zulässig " + std::to_string(f.range.low) + " bis " +
                 std::to_string(f.range.high) + ")";
    }
    return lines;
}

}  // namespace qvt
