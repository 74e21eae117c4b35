#include "devsim/telegram_decoder.h"

#include <gtest/gtest.h>

#include <map>

#include "core/parameter_record.h"
#include "link/baud_table.h"
#include "link/telegrams.h"
#include "support/clocks.h"

namespace qvt {
namespace {

std::map<std::string, std::string> Decoded(const ParameterRecord& r) {
    const ParameterTelegramBytes bytes =
        ParameterTelegram(r, testing::LocalTime(2026, 12, 6, 21, 22));  // a Sunday
    EXPECT_EQ(CheckParameterTelegram(bytes), TelegramCheck::kOk);
    std::map<std::string, std::string> fields;
    for (const DecodedField& f : DecodeParameterTelegram(bytes, r.deviceType)) {
        fields[f.name] = f.value;
    }
    return fields;
}

// What the PC encodes, the device reads back under the same device type.
TEST(TelegramDecoderTest, DeviceReadsBackWhatThePcSent) {
    for (std::uint8_t type : {0, 1, 2}) {
        ParameterRecord r;
        r.deviceType = type;
        r.mbMeasStart = "-150";
        r.mbDisplayEnd = "1999";
        r.sp2Hysteresis = "0007";
        r.sp1Delay = "0120";
        r.azAverageCount = "16";
        r.sioSendCycle = "60";
        r.azUnitText = "mV";
        r.sioBaudIndex = 6;
        std::map<std::string, std::string> f = Decoded(r);
        const bool binary = type != 0;
        EXPECT_EQ(f["mbMeasStart"], binary ? "-150" : "-0150") << int(type);
        EXPECT_EQ(f["mbDisplayEnd"], binary ? "1999" : "1999") << int(type);
        EXPECT_EQ(f["sp2Hysteresis"], binary ? "7" : "0007") << int(type);
        EXPECT_EQ(f["sp1Delay"], binary ? "120" : "0120") << int(type);
        EXPECT_EQ(f["azAverageCount"], "16");
        EXPECT_EQ(f["sioSendCycle"], "60");
        EXPECT_EQ(f["sioBaudIndex"], "6");
        EXPECT_EQ(f["azUnitText"], "mV");
        EXPECT_EQ(f["time"], "2026-12-06 21:22 weekday 0");
    }
}

struct CheckCase {
    const char* name;
    std::size_t offset;  // byte to change; SIZE_MAX: cut the last byte
    std::uint8_t value;
    TelegramCheck expected;
};

class TelegramCheckTest : public ::testing::TestWithParam<CheckCase> {};

TEST_P(TelegramCheckTest, ParameterTelegram) {
    const CheckCase& c = GetParam();
    ParameterTelegramBytes bytes = ParameterTelegram(ParameterRecord{}, std::tm{});
    std::vector<std::uint8_t> v(bytes.begin(), bytes.end());
    if (c.offset == SIZE_MAX) {
        v.pop_back();
    } else {
        v[c.offset] = c.value;
    }
    EXPECT_EQ(CheckParameterTelegram(v), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Checks, TelegramCheckTest,
    ::testing::Values(CheckCase{"start", 0, 0x03, TelegramCheck::kBadStart},
                      CheckCase{"length byte", 1, 0x3C, TelegramCheck::kBadStart},
                      CheckCase{"cut", SIZE_MAX, 0, TelegramCheck::kBadLength},
                      CheckCase{"payload", 30, 0x55, TelegramCheck::kBadChecksum},
                      CheckCase{"checksum", 62, 0x00, TelegramCheck::kBadChecksum}));

TEST(TelegramDecoderTest, TestValueTelegram) {
    const TestValueTelegramBytes ok = TestValueTelegram("1234", TestValuePoint::kThousands);
    EXPECT_EQ(CheckTestValueTelegram(ok), TelegramCheck::kOk);
    EXPECT_EQ(DecodeTestValue(ok), "1.234");
    EXPECT_EQ(DecodeTestValue(TestValueTelegram("5", TestValuePoint::kNone)), "0005");
    EXPECT_EQ(DecodeTestValue(TestValueTelegram("0012", TestValuePoint::kTens)), "001.2");
    TestValueTelegramBytes bad = ok;
    bad[5] ^= 1;
    EXPECT_EQ(CheckTestValueTelegram(bad), TelegramCheck::kBadChecksum);
    EXPECT_EQ(CheckTestValueTelegram(std::span(ok).first(5)), TelegramCheck::kBadLength);
    bad = ok;
    bad[0] = 0x02;
    EXPECT_EQ(CheckTestValueTelegram(bad), TelegramCheck::kBadStart);
}

struct BaudCase {
    std::uint8_t index;
    std::int32_t rate;
};

class BaudTableTest : public ::testing::TestWithParam<BaudCase> {};

TEST_P(BaudTableTest, RateForIndex) {
    EXPECT_EQ(BaudRateForIndex(GetParam().index), GetParam().rate) << int(GetParam().index);
}

INSTANTIATE_TEST_SUITE_P(Table, BaudTableTest,
                         ::testing::Values(BaudCase{0, 4800}, BaudCase{1, 300}, BaudCase{2, 600},
                                           BaudCase{3, 1200}, BaudCase{4, 2400}, BaudCase{5, 4800},
                                           BaudCase{6, 9600}, BaudCase{7, 19200}, BaudCase{8, 4800},
                                           BaudCase{255, 4800}));

TEST(PortNameTest, IndexToName) {
    EXPECT_EQ(PortNameForIndex(0), "COM1");
    EXPECT_EQ(PortNameForIndex(1), "COM2");
    EXPECT_EQ(PortNameForIndex(5), "COM6");
    EXPECT_EQ(PortNameForIndex(6), "COM1");
    EXPECT_EQ(PortNameForIndex(-1), "COM1");
    EXPECT_EQ(PortNumberForIndex(3), 3);
    EXPECT_EQ(PortNumberForIndex(200), 0);
}

}  // namespace
}  // namespace qvt
