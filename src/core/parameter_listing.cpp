#include "core/parameter_listing.h"

#include <array>

#include "core/device_label.h"
#include "core/field_check.h"
#include "core/latin1_text.h"
#include "core/parameter_choices.h"
#include "core/parameter_record.h"

namespace qvt {
namespace {

std::string Code(unsigned value) {
    return std::to_string(value);
}

std::string YesNo(std::uint8_t flag) {
    return flag ? "ja" : "nein";
}

template <std::size_t N>
std::string Choice(const std::array<const char*, N>& captions, std::size_t index) {
    return index < N ? captions[index] : "unbekannt";
}

// The number the device receives, or why it cannot.
std::string NumberMeaning(const ParameterRecord& record, NumericField field) {
    if (!FieldUsedBy(field, record.deviceType))
        return "vom Gerätetyp nicht verwendet";
    const std::string_view text = FieldText(record, field);
    if (const auto fault = CheckField(field, text, record.deviceType)) {
        return "nicht darstellbar (zulässig " + std::to_string(fault->range.low) + " bis " +
               std::to_string(fault->range.high) + ")";
    }
    return std::to_string(SentNumber(field, text, record.deviceType).value_or(0));
}

void AddNumber(std::vector<ParameterLine>& lines, const ParameterRecord& record,
               NumericField field) {
    lines.push_back({std::string(FieldLabel(field)), Utf8FromLatin1(FieldText(record, field)),
                     NumberMeaning(record, field)});
}

constexpr std::array<const char*, 4> kPoints{"Kein Punkt", "X . XXX", "XX . XX", "XXX . X"};
constexpr std::array<const char*, 4> kRoundings{"Immer 0", "Normal 0/1/2/3/4/5/6/7/8/9/0",
                                                "Nur Gerade 0/2/4/6/8/0", "Fünfer 0/5/0"};
constexpr std::array<const char*, 3> kSending{"Passiv", "RS232-sec.", "RS232-min."};
constexpr std::array<const char*, 7> kDeviceBauds{"150",  "300",  "600", "1200",
                                                  "2400", "4800", "9600"};
constexpr std::array<const char*, 7> kWeekdays{"Sonntag",    "Montag",  "Dienstag", "Mittwoch",
                                               "Donnerstag", "Freitag", "Samstag"};

void AddSwitchingPoint(std::vector<ParameterLine>& lines, const ParameterRecord& record,
                       int number) {
    const bool first = number == 1;
    const std::string group = "Schaltpunkt " + std::to_string(number) + " – ";
    AddNumber(lines, record, first ? NumericField::kSp1Setpoint : NumericField::kSp2Setpoint);
    AddNumber(lines, record, first ? NumericField::kSp1Hysteresis : NumericField::kSp2Hysteresis);
    AddNumber(lines, record, first ? NumericField::kSp1Delay : NumericField::kSp2Delay);
    const std::uint8_t relay = first ? record.sp1RelayNC : record.sp2RelayNC;
    const std::uint8_t active = first ? record.sp1Active : record.sp2Active;
    lines.push_back({group + "Relais = Öffner", Code(relay), relay ? "Öffner" : "Schließer"});
    lines.push_back({group + "Aktiv", Code(active), YesNo(active)});
}

}  // namespace

std::vector<ParameterLine> ListParameters(const ParameterRecord& r) {
    const std::uint8_t type = r.deviceType;
    std::vector<ParameterLine> lines;
    lines.push_back({"Gerätetyp", Code(type), FamilyText(type)});
    lines.push_back({"Funktionswahl", Code(static_cast<unsigned>(r.funcCode)), ""});

    // Measuring range
    for (const NumericField field : {NumericField::kMbMeasStart, NumericField::kMbDisplayStart,
                                     NumericField::kMbMeasEnd, NumericField::kMbDisplayEnd}) {
        AddNumber(lines, r, field);
    }

    // Display
    lines.push_back(
        {"Dezimalpunkt", Code(r.azDecimalPoint),
         Choice(kPoints, static_cast<std::size_t>(DecimalPointOf(r.azDecimalPoint, type)))});
    lines.push_back(
        {"Display-Empfang", Code(r.azDecimalPoint), YesNo(DisplayReceptionOf(r.azDecimalPoint))});
    lines.push_back({"Letzte Stelle Runden", Code(r.azRounding),
                     Choice(kRoundings, static_cast<std::size_t>(RoundingOf(r.azRounding)))});
    lines.push_back({"Teiler durch 10", Code(r.azDivideBy10), YesNo(r.azDivideBy10)});
    AddNumber(lines, r, NumericField::kAzAverageCount);
    const std::string unit = Utf8FromLatin1(r.azUnitText.view());
    lines.push_back({"Dimension und Benennung", unit, unit});

    AddSwitchingPoint(lines, r, 1);
    AddSwitchingPoint(lines, r, 2);

    // Device serial interface
    lines.push_back(
        {"Baudrate", Code(r.sioBaudIndex), Choice(kDeviceBauds, r.sioBaudIndex) + " Baud"});
    lines.push_back({"Sekunden", Code(r.sioMode),
                     Choice(kSending, static_cast<std::size_t>(SioSendingOf(r.sioMode, type)))});
    AddNumber(lines, r, NumericField::kSioSendCycle);

    // Real-time clock: the texts are kept, the PC's clock is sent.
    const std::pair<const char*, std::string_view> clock[] = {{"Minuten", r.rtcMinute.view()},
                                                              {"Stunden", r.rtcHour.view()},
                                                              {"Tag", r.rtcDay.view()},
                                                              {"Monat", r.rtcMonth.view()},
                                                              {"Jahr", r.rtcYear.view()}};
    for (const auto& [label, text] : clock)
        lines.push_back({label, Utf8FromLatin1(text), Utf8FromLatin1(text)});
    lines.push_back({"Wochentag", Code(r.rtcWeekday), Choice(kWeekdays, r.rtcWeekday)});

    // Special functions
    AddNumber(lines, r, NumericField::kSoEncoderPulses);
    lines.push_back({"Anzeige", Code(r.soDisplayMode), r.soDisplayMode ? "Uhrzeit" : "Messwert"});
    lines.push_back(
        {"Zählrichtung", Code(r.soCountDirection), r.soCountDirection ? "Rückwärts" : "Vorwärts"});
    return lines;
}

}  // namespace qvt
