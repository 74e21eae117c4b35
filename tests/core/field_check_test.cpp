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
    // sees the minus only in front; "300" would arrive as 44.
    const Case cases[] = {
        {E::kSigned, 0, {"1999", "-1999", " 0150", ""}, {"2000", "-2000", " -150", "-", "+15"}},
        {E::kSigned, 1, {" -150", "-32768", "32767"}, {"32768", "- 15"}},
        {E::kSigned, 2, {"-32768", "  "}, {"32768", "99999999999999999999"}},
        {E::kUnsigned, 0, {"9999", ""}, {"10000", "-1", "12 ", "1a"}},
        {E::kUnsigned, 1, {"65535"}, {"65536", "-1"}},
        {E::kBcd, 1, {"9999"}, {"10000", "-1"}},
        {E::kByte, 0, {"255", "  "}, {"256", "300"}},
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
    record.rtcHour = "99";  // the clock texts are not sent
    EXPECT_EQ(FaultLines(CheckSentFields(record)),
              "Messwert Bereichsende: 2000 (zulässig -1999 bis 1999)\n"
              "Messungen für Durchschnittsbildung: 12x (zulässig 0 bis 9999)\n"
              "Schaltpunkt 1 – Verzögerung: -1 (zulässig 0 bis 9999)\n"
              "Schaltpunkt 2 – Hysterese: 5° (zulässig -1999 bis 1999)\n"
              "Sendezyklus: 300 (zulässig 0 bis 255)");
}

TEST(FieldCheck, TestValueThePositionsShow) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"3999", ""},
        {"39  ", ""},
        {"    ", ""},
        {"9999", "Testwert: 9999 (zulässig 0 bis 3999)"},
        {"4   ", "Testwert: 4000 (zulässig 0 bis 3999)"},  // left-aligned counts as 4000
        {"12a4", "Testwert: 12a4 (zulässig 0 bis 3999)"},
    };
    for (const auto& [positions, line] : cases) {
        const std::optional<FieldFault> fault = CheckTestValue(positions);
        EXPECT_EQ(fault ? FaultLines({*fault}) : "", line) << positions;
    }
}

}  // namespace
}  // namespace qvt
