#include <gtest/gtest.h>

#include "core/application_state.h"
#include "core/device_label.h"
#include "core/fixed_text.h"
#include "core/parameter_record.h"
#include "core/parameter_reset.h"

namespace qvt {
namespace {

TEST(FixedText, NoWriterCanExceedTheCapacity) {
    struct Case {
        std::string_view input;
        std::string_view stored;
    };
    const Case cases[] = {
        {"", ""},
        {"12", "12"},
        {"1234", "1234"},
        {"12345", "1234"},
        {"-01500", "-015"},
        {std::string_view("12\0 4", 5), "12"},  // an embedded zero ends the text
    };
    for (const Case& c : cases) {
        FixedText<5> text;
        text = c.input;
        EXPECT_EQ(text.view(), c.stored) << "input " << c.input;
        EXPECT_EQ(text.bytes()[4], '\0');
        // Everything after the text is zero, as in a freshly cleared C field.
        for (std::size_t i = text.size(); i < 5; ++i) EXPECT_EQ(text.bytes()[i], '\0');
    }
    FixedText<3> unit{"mV/s"};  // two characters and the terminator
    EXPECT_EQ(unit, "mV");
    FixedText<1> none{"x"};
    EXPECT_TRUE(none.empty());
}

TEST(FixedText, ShorterTextClearsTheTailOfALongerOne) {
    FixedText<6> text{"-1234"};
    text = "7";
    EXPECT_EQ(text.view(), "7");
    EXPECT_EQ(text.bytes()[1], '\0');
    EXPECT_EQ(text.bytes()[4], '\0');
}

TEST(ParameterRecord, StartValuesDifferFromNewValues) {
    ParameterRecord record;
    ApplicationState state;
    EXPECT_EQ(record.sioMode, 2);
    EXPECT_EQ(record.daCardType, 1);
    EXPECT_EQ(record.azRounding, 1);
    EXPECT_TRUE(record.azAverageCount.empty());
    EXPECT_EQ(record.rtcYear, "2001");
    EXPECT_EQ(state.chipType, 8253);
    EXPECT_EQ(state.currentFileName, "Leer");

    ResetParameters(record, state);
    EXPECT_EQ(record.sioMode, 0);
    EXPECT_EQ(record.daCardType, 2);
}

TEST(ParameterRecord, ResetRestoresEveryNewValueAndKeepsTheRest) {
    ParameterRecord r;
    ApplicationState s;
    // Scribble over everything.
    for (auto* t :
         {&r.mbMeasStart, &r.mbDisplayStart, &r.mbMeasEnd, &r.mbDisplayEnd, &r.azAverageCount,
          &r.sp1Delay, &r.sp2Delay, &r.sioSendCycle, &r.rtcYear, &r.soEncoderPulses}) {
        *t = "9999";
    }
    for (auto* t : {&r.sp1Setpoint, &r.sp1Hysteresis, &r.sp2Setpoint, &r.sp2Hysteresis}) {
        *t = "-9999";
    }
    for (auto* t : {&r.rtcMinute, &r.rtcHour, &r.rtcDay, &r.rtcMonth}) *t = "77";
    r.azUnitText = "mA";
    r.funcCode = 3;
    for (auto* b : {&r.azDecimalPoint, &r.azRounding, &r.azDivideBy10, &r.sp1RelayNC, &r.sp1Active,
                    &r.sp2RelayNC, &r.sp2Active, &r.sioBaudIndex, &r.sioMode, &r.rtcWeekday,
                    &r.soDisplayMode, &r.soCountDirection, &r.rtcAuto, &r.daCardType}) {
        *b = 3;
    }
    r.deviceType = kDeviceQvt055;
    s = {.portIndex = 4,
         .baudIndex = 7,
         .lptIndex = 2,
         .lptBase = 0x278,
         .chipType = 8252,
         .networkDevice = 1,
         .printEnabled = 1,
         .logEnabled = 1,
         .printLineCount = 17,
         .printPageNumber = 4,
         .showTelegram = false,
         .currentFileName = "A.QVC",
         .portAccessMode = ParallelAccess::kPpdev,
         .shutdownDone = 0};

    ResetParameters(r, s);

    for (auto* t : {&r.mbMeasStart, &r.mbDisplayStart, &r.mbMeasEnd, &r.mbDisplayEnd, &r.sp1Delay,
                    &r.sp2Delay, &r.sioSendCycle}) {
        EXPECT_EQ(*t, "0000");
    }
    for (auto* t : {&r.sp1Setpoint, &r.sp1Hysteresis, &r.sp2Setpoint, &r.sp2Hysteresis}) {
        EXPECT_EQ(*t, "0000");
    }
    EXPECT_TRUE(r.azAverageCount.empty());
    EXPECT_TRUE(r.azUnitText.empty());
    EXPECT_EQ(r.azUnitText.bytes()[0], '\0');
    EXPECT_EQ(r.soEncoderPulses, "0100");
    EXPECT_EQ(r.rtcMinute, "00");
    EXPECT_EQ(r.rtcHour, "00");
    EXPECT_EQ(r.rtcDay, "01");
    EXPECT_EQ(r.rtcMonth, "01");
    EXPECT_EQ(r.rtcYear, "2001");
    EXPECT_EQ(r.funcCode, 0);
    const std::pair<std::uint8_t, int> bytes[] = {
        {r.azDecimalPoint, 0}, {r.azRounding, 1}, {r.azDivideBy10, 0},  {r.sp1RelayNC, 0},
        {r.sp1Active, 0},      {r.sp2RelayNC, 0}, {r.sp2Active, 0},     {r.sioBaudIndex, 5},
        {r.sioMode, 0},        {r.rtcWeekday, 1}, {r.soDisplayMode, 0}, {r.soCountDirection, 0},
        {r.rtcAuto, 1},        {r.daCardType, 2}, {r.reserved, 0}};
    for (std::size_t i = 0; i < std::size(bytes); ++i) {
        EXPECT_EQ(bytes[i].first, bytes[i].second) << "byte field #" << i;
    }

    // The PC-side settings change in memory; the device type and the rest stay.
    EXPECT_EQ(s.portIndex, 1);
    EXPECT_EQ(s.baudIndex, 5);
    EXPECT_EQ(s.lptIndex, 1);
    EXPECT_EQ(s.printPageNumber, 1);
    EXPECT_EQ(s.printLineCount, 0);
    EXPECT_EQ(r.deviceType, kDeviceQvt055);
    EXPECT_EQ(s.lptBase, 0x278);
    EXPECT_EQ(s.chipType, 8252);
    EXPECT_EQ(s.networkDevice, 1);
    EXPECT_EQ(s.printEnabled, 1);
    EXPECT_EQ(s.logEnabled, 1);
    EXPECT_FALSE(s.showTelegram);
}

TEST(DeviceLabel, FamilyChipAndNetworkGiveTheLabel) {
    struct Case {
        std::uint8_t type;
        std::uint16_t chip;
        std::uint8_t network;
        const char* label;
    };
    const Case cases[] = {
        {0, 8253, 0, "QVT410-3E"},    {0, 8253, 1, "QVT410-3N"},    {0, 8252, 0, "QVT410-2"},
        {0, 8252, 1, "QVT410-2"},     {1, 8253, 1, "QVT0xx-3N"},    {1, 8253, 0, "QVT0xx-3E"},
        {1, 8252, 1, "QVT0xx-2"},     {2, 8253, 0, "QVT055-Uhr-2"}, {2, 8253, 1, "QVT055-Uhr-2"},
        {2, 8252, 0, "QVT055-Uhr-2"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DeviceLabel(c.type, *ChipFromNumber(c.chip), c.network), c.label)
            << int(c.type) << "/" << c.chip << "/" << int(c.network);
    }
}

}  // namespace
}  // namespace qvt
