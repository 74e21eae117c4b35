#include <gtest/gtest.h>

#include <vector>

#include "core/field_check.h"
#include "core/parameter_record.h"

namespace qvt {
namespace {

TEST(FieldCheck, TextsAgainstWhatTheirEncodingCarries) {
    using E = NumberEncoding;
    using Texts = std::vector<std::string_view>;
    struct Case {
        E encoding;
        std::uint8_t deviceType;
        Texts fit, refused;
    };
    // Type 0 packs BCD with bit 13 as the sign ("2000" arrives as -0000) and
    // sees the minus only in front; "300" would arrive as 44. The encoders
    // skip blanks and a "+" in front and stop at the first blank after the
    // digits, so "+150" and "150 " arrive as 150; "1 5" arrives as 1.
    const Case cases[] = {
        {E::kSigned,
         0,
         {"1999", "-1999", " 0150", "", "+150", "150 ", " +150", "-150 "},
         {"2000", "-2000", " -150", "-", "+", "1 5", "-+15", "1a"}},
        {E::kSigned, 1, {" -150", "-32768", "32767", "+150", "150 "}, {"32768", "- 15", "150x"}},
        {E::kSigned, 2, {"-32768", "  ", "-150  "}, {"32768", "99999999999999999999"}},
        {E::kUnsigned, 0, {"9999", "", "12 ", "+12"}, {"10000", "-1", "1a", "12 x"}},
        {E::kUnsigned, 1, {"65535"}, {"65536", "-1"}},
        {E::kBcd, 1, {"9999", "+99"}, {"10000", "-1"}},
        {E::kByte, 0, {"255", "  ", "+25 "}, {"256", "300", "-1"}},
    };
    for (const Case& c : cases) {
        for (const auto& [texts, fits] : {std::pair{c.fit, true}, std::pair{c.refused, false}}) {
            for (std::string_view text : texts) {
                EXPECT_EQ(FitsEncoding(text, c.encoding, c.deviceType), fits)
                    << "type " << int(c.deviceType) << " '" << text << "' " << int(c.encoding);
            }
        }
    }
}

TEST(FieldCheck, RecordFaultsNameTheirDialogFieldsInDialogOrder) {
    ParameterRecord record;  // start values all fit; the average count is empty
    EXPECT_TRUE(CheckSentFields(record).empty());
    record.mbMeasEnd = "2000";
    record.sp2Hysteresis = "5\xB0";  // Latin-1 degree sign
    record.sp1Delay = "-1";
    record.sioSendCycle = "300";
    record.azAverageCount = "12x";
    record.sp1Setpoint = " -15";
    record.mbDisplayEnd = "1 5";
    record.rtcHour = "99";  // the clock texts are not sent
    EXPECT_EQ(FaultLines(CheckSentFields(record)),
              "Messwert Bereichsende: 2000 (zulässig -1999 bis 1999)\n"
              "Anzeigewert Bereichsende: 1 5 (Leerzeichen an Stelle 2 unzulässig; zulässig -1999 "
              "bis 1999)\n"
              "Messungen für Durchschnittsbildung: 12x (Zeichen „x“ an Stelle 3 unzulässig; "
              "zulässig 0 bis 9999)\n"
              "Schaltpunkt 1 – Schaltpunkt:  -15 („-“ an Stelle 2: das Minus muss das erste "
              "Zeichen sein; zulässig -1999 bis 1999)\n"
              "Schaltpunkt 1 – Verzögerung: -1 (Zeichen „-“ an Stelle 1 unzulässig; zulässig 0 "
              "bis 9999)\n"
              "Schaltpunkt 2 – Hysterese: 5° (Zeichen „°“ an Stelle 2 unzulässig; zulässig -1999 "
              "bis 1999)\n"
              "Sendezyklus: 300 (zulässig 0 bis 255)");
}

// The encoder pulses belong to the counter family: the other families' menus
// do not offer their dialog, so a value left from a counter set must not stop
// "Senden" of a set switched to them.
TEST(FieldCheck, EncoderPulsesCountOnlyForTheCounterFamily) {
    struct Case {
        std::uint8_t deviceType;
        const char* pulses;
        std::string lines;
    };
    const Case cases[] = {
        {0, "2048", ""},  // beyond the main family's 1999, which does not read it
        {2, "x", ""},
        {1, "2048", ""},
        {1, "x",
         "Impulse des Drehgebers: x (Zeichen „x“ an Stelle 1 unzulässig; zulässig "
         "-32768 bis 32767)"},
    };
    for (const Case& c : cases) {
        ParameterRecord record;
        record.deviceType = c.deviceType;
        record.soEncoderPulses = c.pulses;
        EXPECT_EQ(FaultLines(CheckSentFields(record)), c.lines) << int(c.deviceType);
    }
}

// Dates the calendar has, times the clock shows, years of its century.
TEST(FieldCheck, ClockTextsAreRealDatesAndTimes) {
    struct Case {
        ClockTexts texts;
        std::string lines;
    };
    const Case cases[] = {
        {{"59", "23", "31", "12", "2099"}, ""},
        {{"0", " 7", "29", "02", "2028"}, ""},  // leap year
        {{"", "", "1", "1", "2000"}, ""},       // an empty time stores 0
        {{"75", "00", "01", "01", "2026"}, "Minuten: 75 (zulässig 0 bis 59)"},
        {{"00", "24", "01", "01", "2026"}, "Stunden: 24 (zulässig 0 bis 23)"},
        {{"00", "00", "31", "02", "2026"}, "Tag: 31 (zulässig 1 bis 28)"},
        // A year the clock cannot hold is refused alone, not the day with it.
        {{"00", "00", "29", "02", "2100"}, "Jahr: 2100 (zulässig 2000 bis 2099)"},
        {{"00", "00", "31", "04", "2026"}, "Tag: 31 (zulässig 1 bis 30)"},
        {{"00", "00", "00", "13", "2026"},
         "Tag: 00 (zulässig 1 bis 31)\n"
         "Monat: 13 (zulässig 1 bis 12)"},
        {{"-1", "1x", "01", "01", "2026"},
         "Minuten: -1 (Zeichen „-“ an Stelle 1 unzulässig; zulässig 0 bis 59)\n"
         "Stunden: 1x (Zeichen „x“ an Stelle 2 unzulässig; zulässig 0 bis 23)"},
    };
    for (const Case& c : cases) {
        std::vector<FieldFault> faults;
        for (const ClockFault& f : CheckClockTexts(c.texts)) faults.push_back(f.fault);
        EXPECT_EQ(FaultLines(faults), c.lines) << c.texts.day << "." << c.texts.month;
    }
}

TEST(FieldCheck, TestValueThePositionsShow) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"3999", ""},
        {"39  ", ""},
        {"    ", ""},
        {"9999", "Testwert: 9999 (zulässig 0 bis 3999)"},
        {"4   ", "Testwert: 4000 (zulässig 0 bis 3999)"},  // left-aligned counts as 4000
        {"12a4", "Testwert: 12a4 (Zeichen „a“ an Stelle 3 unzulässig; zulässig 0 bis 3999)"},
    };
    for (const auto& [positions, line] : cases) {
        const std::optional<FieldFault> fault = CheckTestValue(positions);
        EXPECT_EQ(fault ? FaultLines({*fault}) : "", line) << positions;
    }
}

}  // namespace
}  // namespace qvt
