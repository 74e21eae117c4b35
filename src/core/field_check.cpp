#include "core/field_check.h"

#include <algorithm>

#include "core/device_family.h"
#include "core/latin1_text.h"
#include "core/parameter_record.h"

namespace qvt {
namespace {

// Beyond every range; keeps a long row of digits from overflowing.
constexpr std::int64_t kBeyondAnyRange = 1'000'000'000;

// The number the text shows, when it is one the encoders read as it stands:
// blanks, a minus where allowed, digits. Nothing at all is 0.
std::optional<std::int64_t> PlainNumber(std::string_view text, bool minusAllowed,
                                        bool blanksBeforeMinus) {
    std::size_t i = text.find_first_not_of(' ');
    if (i == std::string_view::npos)
        return 0;
    bool negative = false;
    if (minusAllowed && text[i] == '-' && (i == 0 || blanksBeforeMinus)) {
        negative = true;
        ++i;
    }
    if (i == text.size())
        return std::nullopt;  // a lone minus
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
        value = std::min(value * 10 + (text[i] - '0'), kBeyondAnyRange);
    }
    return negative ? -value : value;
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
    const bool binary = ReadsBinaryNumbers(deviceType);
    const std::optional<std::int64_t> number =
        PlainNumber(text, encoding == NumberEncoding::kSigned, binary);
    const AllowedRange range = RangeFor(encoding, deviceType);
    return number && *number >= range.low && *number <= range.high;
}

std::optional<FieldFault> CheckField(NumericField field, std::string_view text,
                                     std::uint8_t deviceType) {
    const FieldEntry& entry = EntryFor(field);
    if (FitsEncoding(text, entry.encoding, deviceType))
        return std::nullopt;
    return FieldFault{entry.label, Utf8FromLatin1(text), RangeFor(entry.encoding, deviceType)};
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
    bool number = positions.size() <= kTestValuePositions;
    for (std::size_t i = 0; number && i < positions.size(); ++i) {
        const char c = positions[i];
        number = c == ' ' || (c >= '0' && c <= '9');
        value = value * 10 + (c >= '0' && c <= '9' ? c - '0' : 0);
    }
    if (number && value <= kTestValueRange.high)
        return std::nullopt;
    // A number is shown as the device would read it, so a left-aligned "4"
    // explains itself as 4000.
    return FieldFault{"Testwert", number ? std::to_string(value) : Utf8FromLatin1(positions),
                      kTestValueRange};
}

std::string FaultLines(const std::vector<FieldFault>& faults) {
    std::string lines;
    for (const FieldFault& f : faults) {
        if (!lines.empty())
            lines += '\n';
        lines += f.label + ": " + f.text + " (zulässig " + std::to_string(f.range.low) + " bis " +
                 std::to_string(f.range.high) + ")";
    }
    return lines;
}

}  // namespace qvt
