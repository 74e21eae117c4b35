#include "link/telegrams.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "core/parameter_record.h"
#include "link/number_text.h"
#include "support/clocks.h"

namespace qvt {
namespace {

std::tm LocalDate(int year, int month, int day, int hour, int minute, int weekday) {
    return testing::LocalTime(year, month, day, hour, minute, 0, weekday);
}

// The record of the complete example: every numeric text 0000 except the
// encoder pulses 0100 and the average count 000, no extension card, rounding 1,
// device rate 4800, every other byte 0, no unit text.
ParameterRecord ExampleRecord() {
    ParameterRecord r;
    r.deviceType = kDeviceQvt410;
    for (auto* text : {&r.mbMeasStart, &r.mbDisplayStart, &r.mbMeasEnd, &r.mbDisplayEnd,
                       &r.sp1Delay, &r.sp2Delay, &r.sioSendCycle}) {
        *text = "0000";
    }
    for (auto* text : {&r.sp1Setpoint, &r.sp2Setpoint, &r.sp1Hysteresis, &r.sp2Hysteresis}) {
        *text = "0000";
    }
    r.soEncoderPulses = "0100";
    r.azAverageCount = "000";
    r.daCardType = 2;
    r.azRounding = 1;
    r.sioBaudIndex = 5;
    r.azDecimalPoint = r.azDivideBy10 = r.sp1Active = r.sp2Active = 0;
    r.sp1RelayNC = r.sp2RelayNC = r.soDisplayMode = r.soCountDirection = 0;
    r.sioMode = 0;
    r.funcCode = 0;
    r.reserved = 0;
    r.azUnitText = "";
    return r;
}

TEST(ParameterTelegramTest, CompleteExampleTelegram) {
    // Sunday, 6 December 2026, 21:22.
    const ParameterTelegramBytes bytes =
        ParameterTelegram(ExampleRecord(), LocalDate(2026, 12, 6, 21, 22, 0));
    const ParameterTelegramBytes expected = {
        0x02, 0x3D, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x05, 0x00,
        0x22, 0x21, 0x06, 0x00, 0x12, 0x26, 0x00, 0x00, 0x00, 0x00, 0xC9};
    EXPECT_EQ(bytes, expected);
}

struct FieldCase {
    const char* field;
    std::size_t offset;
    std::function<void(ParameterRecord&)> set;
    std::uint8_t deviceType;
    std::uint8_t low;
    std::uint8_t high;
};

class ParameterFieldTest : public ::testing::TestWithParam<FieldCase> {};

// Each field lands at its own offset, low byte first, in its own encoding.
TEST_P(ParameterFieldTest, FieldIsSentAtItsOffset) {
    const FieldCase& c = GetParam();
    ParameterRecord r = ExampleRecord();
    r.deviceType = c.deviceType;
    const ParameterTelegramBytes before = ParameterTelegram(r, LocalDate(2026, 12, 6, 21, 22, 0));
    c.set(r);
    const ParameterTelegramBytes after = ParameterTelegram(r, LocalDate(2026, 12, 6, 21, 22, 0));
    EXPECT_EQ(after[c.offset], c.low) << c.field;
    EXPECT_EQ(after[c.offset + 1], c.high) << c.field;
    // Nothing else moved but the checksum.
    for (std::size_t i = 0; i < 62; ++i) {
        if (i == c.offset || i == c.offset + 1)
            continue;
        EXPECT_EQ(after[i], before[i]) << c.field << " changed offset " << i;
    }
    EXPECT_EQ(after[62], TelegramChecksum(std::span(after).first(62)));
}

INSTANTIATE_TEST_SUITE_P(
    Fields, ParameterFieldTest,
    ::testing::Values(
        FieldCase{"mbMeasStart", 2, [](auto& r) { r.mbMeasStart = "1234"; }, 1, 0xD2, 0x04},
        FieldCase{"mbDisplayStart", 4, [](auto& r) { r.mbDisplayStart = "-2"; }, 1, 0xFE, 0xFF},
        FieldCase{"mbMeasEnd", 6, [](auto& r) { r.mbMeasEnd = "9999"; }, 0, 0x99, 0x99},
        FieldCase{"mbDisplayEnd", 8, [](auto& r) { r.mbDisplayEnd = "-999"; }, 0, 0x99, 0x29},
        FieldCase{"daCardType", 10, [](auto& r) { r.daCardType = 1; }, 0, 0x01, 0x00},
        FieldCase{"azDecimalPoint", 12, [](auto& r) { r.azDecimalPoint = 7; }, 0, 0x07, 0x00},
        FieldCase{"sp1Setpoint", 14, [](auto& r) { r.sp1Setpoint = "-0150"; }, 0, 0x50, 0x21},
        FieldCase{"sp1Setpoint type 1", 14, [](auto& r) { r.sp1Setpoint = "-0150"; }, 1, 0x6A,
                  0xFF},
        FieldCase{"sp1Setpoint type 2", 14, [](auto& r) { r.sp1Setpoint = "-0150"; }, 2, 0x6A,
                  0xFF},
        FieldCase{"sp1Active", 16, [](auto& r) { r.sp1Active = 1; }, 0, 0x01, 0x00},
        FieldCase{"sp2Setpoint", 18, [](auto& r) { r.sp2Setpoint = "0150"; }, 1, 0x96, 0x00},
        FieldCase{"sp2Active", 20, [](auto& r) { r.sp2Active = 1; }, 0, 0x01, 0x00},
        FieldCase{"sp1Hysteresis", 22, [](auto& r) { r.sp1Hysteresis = "0012"; }, 0, 0x12, 0x00},
        FieldCase{"sp2Hysteresis", 24, [](auto& r) { r.sp2Hysteresis = "300"; }, 2, 0x2C, 0x01},
        FieldCase{"soDisplayMode + direction", 26,
                  [](auto& r) {
                      r.soDisplayMode = 1;
                      r.soCountDirection = 1;
                  },
                  0, 0x01, 0x01},
        FieldCase{"soEncoderPulses type 1", 28, [](auto& r) { r.soEncoderPulses = "0100"; }, 1,
                  0x64, 0x00},
        FieldCase{"sp1RelayNC", 30, [](auto& r) { r.sp1RelayNC = 1; }, 0, 0x01, 0x00},
        FieldCase{"sp2RelayNC", 32, [](auto& r) { r.sp2RelayNC = 1; }, 0, 0x01, 0x00},
        FieldCase{"sp1Delay", 34, [](auto& r) { r.sp1Delay = "0120"; }, 0, 0x20, 0x01},
        FieldCase{"sp1Delay type 1", 34, [](auto& r) { r.sp1Delay = "0120"; }, 1, 0x78, 0x00},
        FieldCase{"sp2Delay unsigned, no sign bit", 36, [](auto& r) { r.sp2Delay = "-1"; }, 0, 0xFF,
                  0xFF},
        FieldCase{"azRounding", 38, [](auto& r) { r.azRounding = 5; }, 0, 0x05, 0x00},
        FieldCase{"azAverageCount BCD type 0", 40, [](auto& r) { r.azAverageCount = "100"; }, 0,
                  0x00, 0x01},
        FieldCase{"azAverageCount BCD type 1", 40, [](auto& r) { r.azAverageCount = "100"; }, 1,
                  0x00, 0x01},
        FieldCase{"funcCode low byte", 42, [](auto& r) { r.funcCode = 0x1203; }, 0, 0x03, 0x00},
        FieldCase{"reserved", 44, [](auto& r) { r.reserved = 9; }, 0, 0x09, 0x00},
        FieldCase{"sioMode", 46, [](auto& r) { r.sioMode = 2; }, 0, 0x02, 0x00},
        FieldCase{"azDivideBy10", 48, [](auto& r) { r.azDivideBy10 = 1; }, 0, 0x01, 0x00},
        FieldCase{"sioBaudIndex", 50, [](auto& r) { r.sioBaudIndex = 6; }, 0, 0x06, 0x00}));

TEST(ParameterTelegramTest, SendCycleIsTheLowByteAndUnitTextItsThreeBytes) {
    ParameterRecord r = ExampleRecord();
    r.sioSendCycle = "300";
    r.azUnitText = "mV";
    const ParameterTelegramBytes b = ParameterTelegram(r, LocalDate(2026, 12, 6, 21, 22, 0));
    EXPECT_EQ(b[58], 0x2C);
    EXPECT_EQ(b[59], 'm');
    EXPECT_EQ(b[60], 'V');
    EXPECT_EQ(b[61], 0x00);
    r.azUnitText = "kPa";
    EXPECT_EQ(ParameterTelegram(r, LocalDate(2026, 12, 6, 21, 22, 0))[61], 'a');
}

struct DateCase {
    std::tm date;
    std::array<std::uint8_t, 6> bytes;  // minute, hour, day, weekday, month, year
};

class TelegramDateTest : public ::testing::TestWithParam<DateCase> {};

TEST_P(TelegramDateTest, DateAndTimeAreBcdExceptTheWeekday) {
    const ParameterTelegramBytes b = ParameterTelegram(ExampleRecord(), GetParam().date);
    for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(b[52 + i], GetParam().bytes[i]) << i;
}

INSTANTIATE_TEST_SUITE_P(
    Dates, TelegramDateTest,
    ::testing::Values(
        DateCase{LocalDate(2026, 12, 6, 21, 22, 0), {0x22, 0x21, 0x06, 0, 0x12, 0x26}},
        DateCase{LocalDate(2000, 1, 1, 0, 0, 6), {0x00, 0x00, 0x01, 6, 0x01, 0x00}},
        DateCase{LocalDate(2099, 12, 31, 23, 59, 4), {0x59, 0x23, 0x31, 4, 0x12, 0x99}},
        DateCase{LocalDate(2027, 3, 5, 9, 7, 5), {0x07, 0x09, 0x05, 5, 0x03, 0x27}}));

TEST(TelegramChecksumTest, SumOfPrecedingBytesModulo256) {
    const std::vector<std::uint8_t> startOnly(62, 0);
    std::vector<std::uint8_t> bytes = startOnly;
    bytes[0] = 0x02;
    bytes[1] = 0x3D;
    EXPECT_EQ(TelegramChecksum(bytes), 0x3F);
    const std::vector<std::uint8_t> wraps = {0xFF, 0x02, 0x80, 0x80};
    EXPECT_EQ(TelegramChecksum(wraps), 0x01);
    EXPECT_EQ(TelegramChecksum({}), 0x00);
}

TEST(DigitTableTest, PackedBcdOfEveryEntry) {
    const auto& table = DigitTable();
    EXPECT_EQ(table[0], 0x00);
    EXPECT_EQ(table[9], 0x09);
    EXPECT_EQ(table[10], 0x10);
    EXPECT_EQ(table[99], 0x99);
    for (int n = 0; n < 100; ++n) {
        EXPECT_EQ(table[n] >> 4, n / 10) << n;
        EXPECT_EQ(table[n] & 0x0F, n % 10) << n;
    }
}

struct TestValueCase {
    const char* text;
    TestValuePoint point;
    TestValueTelegramBytes bytes;
};

class TestValueTelegramTest : public ::testing::TestWithParam<TestValueCase> {};

TEST_P(TestValueTelegramTest, Bytes) {
    EXPECT_EQ(TestValueTelegram(GetParam().text, GetParam().point), GetParam().bytes)
        << "'" << GetParam().text << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Values, TestValueTelegramTest,
    ::testing::Values(
        TestValueCase{"1234", TestValuePoint::kNone, {0x03, 0x04, 0x03, 0x02, 0x01, 0x0D}},
        TestValueCase{"1234", TestValuePoint::kThousands, {0x03, 0x04, 0x03, 0x02, 0x11, 0x1D}},
        TestValueCase{"1234", TestValuePoint::kHundreds, {0x03, 0x04, 0x03, 0x12, 0x01, 0x1D}},
        TestValueCase{"1234", TestValuePoint::kTens, {0x03, 0x04, 0x13, 0x02, 0x01, 0x1D}},
        // The thousands digit is limited before the point is added.
        TestValueCase{"9999", TestValuePoint::kNone, {0x03, 0x09, 0x09, 0x09, 0x03, 0x21}},
        TestValueCase{"4321", TestValuePoint::kThousands, {0x03, 0x01, 0x02, 0x03, 0x13, 0x1C}},
        // Blank positions count 0; left-aligned digits are thousands and hundreds.
        TestValueCase{"   5", TestValuePoint::kNone, {0x03, 0x05, 0x00, 0x00, 0x00, 0x08}},
        TestValueCase{"12  ", TestValuePoint::kNone, {0x03, 0x00, 0x00, 0x02, 0x01, 0x06}},
        TestValueCase{"0", TestValuePoint::kNone, {0x03, 0x00, 0x00, 0x00, 0x00, 0x03}},
        TestValueCase{"", TestValuePoint::kTens, {0x03, 0x00, 0x10, 0x00, 0x00, 0x13}},
        // Only the last four positions count.
        TestValueCase{"98765", TestValuePoint::kNone, {0x03, 0x05, 0x06, 0x07, 0x03, 0x18}}));

struct NumberCase {
    const char* text;
    std::uint8_t deviceType;
    std::uint16_t signedValue;
    std::uint16_t unsignedValue;
};

class NumericFieldTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(NumericFieldTest, SignedAndUnsignedEncodings) {
    const NumberCase& c = GetParam();
    EXPECT_EQ(SignedFieldValue(c.text, c.deviceType), c.signedValue)
        << "'" << c.text << "' type " << int(c.deviceType);
    EXPECT_EQ(UnsignedFieldValue(c.text, c.deviceType), c.unsignedValue)
        << "'" << c.text << "' type " << int(c.deviceType);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NumericFieldTest,
    ::testing::Values(NumberCase{"-0150", 0, 0x2150, 0xFEB0},
                      NumberCase{"-0150", 1, 0xFF6A, 0xFF6A},
                      NumberCase{"-0150", 2, 0xFF6A, 0xFF6A}, NumberCase{"0150", 0, 0x0150, 0x0150},
                      NumberCase{"0150", 1, 0x0096, 0x0096}, NumberCase{" 0000", 0, 0, 0},
                      NumberCase{" 0000", 1, 0, 0}, NumberCase{" 0000", 2, 0, 0},
                      NumberCase{" 150", 1, 150, 150},
                      // Read up to the first character that does not fit.
                      NumberCase{"12x4", 1, 12, 12}, NumberCase{"12x4", 0, 0x12, 0x12},
                      NumberCase{"1a", 0, 0x1A, 0x1A}, NumberCase{"1a", 1, 1, 1},
                      // No number at all is sent as 0, also after the sign.
                      NumberCase{"", 0, 0, 0}, NumberCase{"", 1, 0, 0}, NumberCase{"-", 0, 0, 0},
                      NumberCase{"abc", 1, 0, 0}, NumberCase{"    ", 2, 0, 0},
                      // 16 bits of a larger number.
                      NumberCase{"70000", 1, 0x1170, 0x1170}));

TEST(NumericFieldTest, BcdAndByteEncodings) {
    EXPECT_EQ(BcdFieldValue("100"), 0x0100);
    EXPECT_EQ(BcdFieldValue("000"), 0x0000);
    EXPECT_EQ(BcdFieldValue(""), 0x0000);
    EXPECT_EQ(BcdFieldValue("0x12"), 0x0012);
    EXPECT_EQ(ByteFieldValue("300"), 0x2C);
    EXPECT_EQ(ByteFieldValue("0005"), 0x05);
    EXPECT_EQ(ByteFieldValue("-1"), 0xFF);
    EXPECT_EQ(ByteFieldValue("x"), 0x00);
}

}  // namespace
}  // namespace qvt
