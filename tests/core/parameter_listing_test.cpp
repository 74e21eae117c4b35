#include <gtest/gtest.h>

#include <map>

#include "core/parameter_listing.h"
#include "core/parameter_record.h"

namespace qvt {
namespace {

std::map<std::string, std::string> Meanings(const ParameterRecord& record) {
    std::map<std::string, std::string> meanings;
    for (const ParameterLine& line : ListParameters(record)) meanings[line.label] = line.meaning;
    return meanings;
}

// The same codes mean other choices in the counter family.
TEST(ParameterListing, CodesMeanWhatTheFilesFamilyMakesOfThem) {
    struct Case {
        std::uint8_t deviceType;
        const char* label;
        std::string meaning;
    };
    ParameterRecord record;
    record.azDecimalPoint = 1 | 4;  // point code 1 with "Display-Empfang"
    record.sioMode = 2;
    record.sioBaudIndex = 6;
    record.sp2RelayNC = 1;
    record.mbMeasEnd = "2000";
    record.sp1Setpoint = "-0150";
    record.sp2Setpoint = "+150 ";
    const Case cases[] = {
        {0, "Dezimalpunkt", "X . XXX"},
        {1, "Dezimalpunkt", "XXX . X"},
        {0, "Display-Empfang", "ja"},
        {0, "Sekunden", "RS232-sec."},
        {1, "Sekunden", "RS232-min."},
        {0, "Baudrate", "9600 Baud"},
        {0, "Schaltpunkt 2 – Relais = Öffner", "Öffner"},
        {0, "Schaltpunkt 1 – Relais = Öffner", "Schließer"},
        {0, "Messwert Bereichsende", "nicht darstellbar (zulässig -1999 bis 1999)"},
        {1, "Messwert Bereichsende", "2000"},
        {0, "Schaltpunkt 1 – Schaltpunkt", "-150"},
        {1, "Schaltpunkt 2 – Schaltpunkt", "150"},
        {0, "Impulse des Drehgebers", "vom Gerätetyp nicht verwendet"},
        {1, "Impulse des Drehgebers", "100"},
        {0, "Wochentag", "Montag"},
    };
    for (const Case& c : cases) {
        record.deviceType = c.deviceType;
        EXPECT_EQ(Meanings(record)[c.label], c.meaning) << int(c.deviceType) << " " << c.label;
    }
}

}  // namespace
}  // namespace qvt
