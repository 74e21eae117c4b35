#include <gtest/gtest.h>

#include <ctime>

#include "core/dialog_values.h"
#include "core/latin1_text.h"
#include "core/parameter_choices.h"

namespace qvt {
namespace {

using P = DecimalPoint;

TEST(ParameterChoices, DecimalPointCodesPerFamily) {
    struct Case {
        std::uint8_t code, deviceType;
        P point;
        bool reception;
    };
    // The counter family (type 1) numbers "X . XXX" and "XXX . X" the other
    // way round; bit 2 is "Display-Empfang" for every type.
    const Case cases[] = {
        {0, 0, P::kNone, false},     {1, 0, P::kThousands, false}, {3, 0, P::kTens, false},
        {6, 2, P::kHundreds, true},  {1, 1, P::kTens, false},      {3, 1, P::kThousands, false},
        {2, 1, P::kHundreds, false}, {7, 1, P::kThousands, true},  {5, 9, P::kThousands, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "code " << int(c.code) << " type " << int(c.deviceType));
        EXPECT_EQ(DecimalPointOf(c.code, c.deviceType), c.point);
        EXPECT_EQ(DisplayReceptionOf(c.code), c.reception);
        EXPECT_EQ(DecimalPointCode(c.point, c.reception, c.deviceType), c.code);
    }
}

TEST(ParameterChoices, FivesAreCodedPerFamilyAndAnyCodeAboveTwoMeansThem) {
    for (std::uint8_t code : {0, 1, 2}) EXPECT_EQ(RoundingOf(code), static_cast<Rounding>(code));
    for (std::uint8_t code : {3, 4, 5, 255}) EXPECT_EQ(RoundingOf(code), Rounding::kFives);
    const std::pair<std::uint8_t, std::uint8_t> fivesByType[] = {{0, 5}, {2, 5}, {1, 3}, {3, 3}};
    for (const auto& [type, code] : fivesByType)
        EXPECT_EQ(RoundingCode(Rounding::kFives, type), code) << "type " << int(type);
    EXPECT_EQ(RoundingCode(Rounding::kEvenOnly, 0), 2);
}

TEST(ParameterChoices, SioModeCodesPerFamily) {
    using S = SioSending;
    struct Case {
        std::uint8_t code, deviceType;
        S sending;
    };
    // The main family (types 0 and 2) codes seconds as 2 and minutes as 1.
    const Case cases[] = {{0, 0, S::kPassive}, {2, 0, S::kSeconds}, {1, 2, S::kMinutes},
                          {1, 1, S::kSeconds}, {2, 1, S::kMinutes}, {1, 7, S::kSeconds}};
    for (const Case& c : cases) {
        EXPECT_EQ(SioSendingOf(c.code, c.deviceType), c.sending)
            << int(c.code) << "/" << int(c.deviceType);
        EXPECT_EQ(SioModeCode(c.sending, c.deviceType), c.code);
    }
    EXPECT_EQ(SioSendingOf(3, 0), S::kPassive);
}

TEST(DialogValues, PcBaudIndexWithoutButtonShows4800) {
    // Buttons 0..5 are 300 .. 9600 baud; indices 0, 5 and 7 have none.
    const std::pair<std::uint8_t, int> cases[] = {{0, 4}, {1, 0}, {4, 3}, {5, 4}, {6, 5}, {7, 4}};
    for (const auto& [index, button] : cases) {
        ApplicationState state;
        state.baudIndex = index;
        EXPECT_EQ(PcPortValuesOf(state).baud, button) << int(index);
    }
    ApplicationState state;
    Commit(PcPortValues{.port = 3, .baud = -1}, state);  // no rate chosen
    EXPECT_EQ(state.baudIndex, 0);
    EXPECT_EQ(state.portIndex, 3);
}

TEST(DialogValues, CommitKeepsWhatNoChoiceSays) {
    ParameterRecord record;
    record.rtcWeekday = 4;
    record.daCardType = 0;
    ClockValues clock = ClockValuesOf(record);
    clock.weekday = -1;
    Commit(clock, record);
    Commit(CardValues{.card = -1}, record);
    EXPECT_EQ(record.rtcWeekday, 4);
    EXPECT_EQ(record.daCardType, 1);  // the serial/clock card

    std::tm local{};
    local.tm_year = 2007 - 1900;
    local.tm_mon = 0;
    local.tm_mday = 5;
    local.tm_wday = 0;
    TakePcTime(local, record);
    EXPECT_EQ(record.rtcMonth.str(), "01");
    EXPECT_EQ(record.rtcDay.str(), "05");
    EXPECT_EQ(record.rtcYear.str(), "2007");
    EXPECT_EQ(record.rtcWeekday, 0);
}

TEST(Latin1Text, ConvertsBothWays) {
    const std::pair<std::string, std::string> cases[] = {{"\xB0"
                                                          "C",
                                                          "\xC2\xB0"
                                                          "C"},
                                                         {"abc", "abc"},
                                                         {"\xFF", "\xC3\xBF"},
                                                         {"", ""}};
    for (const auto& [latin1, utf8] : cases) {
        EXPECT_EQ(Utf8FromLatin1(latin1), utf8);
        EXPECT_EQ(Latin1FromUtf8(utf8), latin1);
    }
    // What Latin-1 lacks is one '?' per UTF-16 unit, as an edit counts.
    EXPECT_EQ(Latin1FromUtf8("\xE2\x82\xAC"
                             "1"),
              "?1");                                      // euro sign
    EXPECT_EQ(Latin1FromUtf8("\xF0\x9F\x98\x80"), "??");  // emoji
    EXPECT_EQ(OnOneLine("+1.5\r\n\t"), "+1.5   ");
}

}  // namespace
}  // namespace qvt
