#include "core/qvc_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

#include "core/application_state.h"
#include "core/parameter_reset.h"
#include "support/file_words.h"

namespace qvt {
namespace {

using testing::Bytes;
using testing::SetWord;
using testing::WordAt;

TEST(TextToWord, ReadsLikeAtoiAndKeepsTheLow16Bits) {
    struct Case {
        std::string_view text;
        std::int16_t word;
    };
    const Case cases[] = {
        {"0000", 0},       {"0100", 100}, {" 0150", 150},   {"-0150", -150},   {"+12", 12},
        {"12ab", 12},      {"abc", 0},    {"", 0},          {"-", 0},          {"- 5", 0},
        {"--5", 0},        {"\t\n 7", 7}, {"32767", 32767}, {"32768", -32768}, {"99999", -31073},
        {"-32769", 32767}, {"65536", 0},  {"-1", -1},       {"1 2", 1},        {"007x9", 7},
    };
    for (const Case& c : cases) EXPECT_EQ(TextToWord(c.text), c.word) << "text '" << c.text << "'";
}

TEST(ParameterFileImage, AfterNewHoldsTheNewValuesForEveryDeviceType) {
    for (std::uint8_t type : {0, 1, 2}) {
        ParameterRecord record;
        ApplicationState state;
        record.azUnitText = "mV";  // emptied by "Neu"
        record.deviceType = type;
        ResetParameters(record, state);
        const ParameterFileImage image = EncodeParameterFile(record);
        ASSERT_EQ(image.size(), 76u);

        // Word number -> value; every word not listed is 0.
        std::map<int, std::int16_t> expected = {{14, 100}, {21, 1}, {27, 5},   {30, 1},
                                                {31, 1},   {32, 1}, {33, 2001}};
        expected[38] = type;
        for (int n = 1; n <= 38; ++n) {
            const std::int16_t want = expected.count(n) ? expected[n] : 0;
            EXPECT_EQ(WordAt(image, n), want) << "word " << n << " type " << int(type);
        }
    }
}

// A record with a distinct value in every stored field, per device type, and
// the record that loading its file must give.
struct RoundTrip {
    std::uint8_t deviceType;
    std::uint8_t rounding;
    std::uint8_t roundingLoaded;
    std::int32_t funcCode;
    std::string_view unit;
};

TEST(ParameterFileImage, RoundTripKeepsEveryStoredField) {
    const RoundTrip cases[] = {
        {0, 0, 0, 0, "mV"},
        {0, 5, 5, 3,
         "\xB0"
         "C"},
        {1, 3, 3, 1, "U/m"},  // the counter family's own "Fünfer" code
        {1, 2, 2, 2, "Hz"},
        {2, 1, 1, 0, "h"},
        {2, 4, 5, 2, ""},
    };
    for (const RoundTrip& c : cases) {
        SCOPED_TRACE("device type " + std::to_string(c.deviceType));
        ParameterRecord in;
        in.deviceType = c.deviceType;
        in.mbMeasStart = "-123";
        in.mbDisplayStart = " 045";
        in.mbMeasEnd = "9999";
        in.mbDisplayEnd = "0800";
        in.funcCode = c.funcCode;
        in.azDecimalPoint = 6;
        in.azRounding = c.rounding;
        in.azDivideBy10 = 1;
        in.azAverageCount = "0016";
        in.azUnitText = c.unit;
        in.sp1Setpoint = "-0150";
        in.sp1Hysteresis = " 0005";
        in.sp1Delay = "0030";
        in.sp1RelayNC = 1;
        in.sp1Active = 1;
        in.sp2Setpoint = "12000";
        in.sp2Hysteresis = "-9999";
        in.sp2Delay = "9";
        in.sp2RelayNC = 0;
        in.sp2Active = 1;
        in.sioBaudIndex = 6;
        in.sioMode = c.deviceType == 1 ? 1 : 2;
        in.sioSendCycle = "120";
        in.rtcMinute = "05";
        in.rtcHour = "23";
        in.rtcDay = "31";
        in.rtcMonth = "12";
        in.rtcYear = "2024";
        in.rtcWeekday = 6;
        in.soEncoderPulses = "0360";
        in.soDisplayMode = 1;
        in.soCountDirection = 1;
        in.rtcAuto = 0;
        in.daCardType = 0;

        const ParameterFileImage image = EncodeParameterFile(in);
        ParameterRecord out;  // start values differ from most of the above
        out.rtcAuto = 1;
        out.daCardType = 2;
        DecodeParameterFile(image, out);

        EXPECT_EQ(out.deviceType, c.deviceType);
        EXPECT_EQ(out.mbMeasStart, "-123");
        EXPECT_EQ(out.mbDisplayStart, "45");
        EXPECT_EQ(out.mbMeasEnd, "9999");
        EXPECT_EQ(out.mbDisplayEnd, "800");
        EXPECT_EQ(out.funcCode, c.funcCode);
        EXPECT_EQ(out.azDecimalPoint, 6);
        EXPECT_EQ(out.azRounding, c.roundingLoaded);
        EXPECT_EQ(out.azDivideBy10, 1);
        EXPECT_EQ(out.azAverageCount, "16");
        EXPECT_EQ(out.azUnitText, c.unit);
        EXPECT_EQ(out.sp1Setpoint, "-150");
        EXPECT_EQ(out.sp1Hysteresis, "5");
        EXPECT_EQ(out.sp1Delay, "30");
        EXPECT_EQ(out.sp1RelayNC, 1);
        EXPECT_EQ(out.sp1Active, 1);
        EXPECT_EQ(out.sp2Setpoint, "12000");
        EXPECT_EQ(out.sp2Hysteresis, "-9999");
        EXPECT_EQ(out.sp2Delay, "9");
        EXPECT_EQ(out.sp2RelayNC, 0);
        EXPECT_EQ(out.sp2Active, 1);
        EXPECT_EQ(out.sioBaudIndex, 6);
        EXPECT_EQ(out.sioMode, in.sioMode);
        EXPECT_EQ(out.sioSendCycle, "120");
        EXPECT_EQ(out.rtcMinute, "5");
        EXPECT_EQ(out.rtcHour, "23");
        EXPECT_EQ(out.rtcDay, "31");
        EXPECT_EQ(out.rtcMonth, "12");
        EXPECT_EQ(out.rtcYear, "2024");
        EXPECT_EQ(out.rtcWeekday, 6);
        EXPECT_EQ(out.soEncoderPulses, "360");
        EXPECT_EQ(out.soDisplayMode, 1);
        EXPECT_EQ(out.soCountDirection, 1);
        // Not stored in the file.
        EXPECT_EQ(out.rtcAuto, 1);
        EXPECT_EQ(out.daCardType, 2);

        // The loaded record saves to the same bytes.
        EXPECT_EQ(EncodeParameterFile(out), image);
    }
}

TEST(ParameterFileImage, WordEncodingsOfSingleFields) {
    struct Case {
        const char* what;
        void (*set)(ParameterRecord&);
        int word;
        std::int16_t value;
    };
    const Case cases[] = {
        {"negative setpoint", [](ParameterRecord& r) { r.sp1Setpoint = "-0150"; }, 7, -150},
        {"rounding 3 as 5", [](ParameterRecord& r) { r.azRounding = 3; }, 21, 5},
        {"rounding 255 as 5", [](ParameterRecord& r) { r.azRounding = 255; }, 21, 5},
        {"rounding 2", [](ParameterRecord& r) { r.azRounding = 2; }, 21, 2},
        {"func code low 16 bits", [](ParameterRecord& r) { r.funcCode = 0x12345; }, 23, 0x2345},
        {"unit char 1 sign-extended", [](ParameterRecord& r) { r.azUnitText = "\xB0"; }, 35, -80},
        {"unit char 2", [](ParameterRecord& r) { r.azUnitText = "mV"; }, 36, 'V'},
        {"unit char 3", [](ParameterRecord& r) { r.azUnitText = "U/m"; }, 37, 'm'},
        {"device type sign-extended", [](ParameterRecord& r) { r.deviceType = 0xFE; }, 38, -2},
        {"code byte zero-extended", [](ParameterRecord& r) { r.azDecimalPoint = 0xF0; }, 6, 0xF0},
        {"weekday", [](ParameterRecord& r) { r.rtcWeekday = 4; }, 31, 4},
        {"send cycle", [](ParameterRecord& r) { r.sioSendCycle = "999"; }, 34, 999},
        {"hysteresis 2", [](ParameterRecord& r) { r.sp2Hysteresis = "-0001"; }, 12, -1},
        {"delay 2", [](ParameterRecord& r) { r.sp2Delay = "12"; }, 18, 12},
    };
    for (const Case& c : cases) {
        ParameterRecord record;
        c.set(record);
        const ParameterFileImage image = EncodeParameterFile(record);
        EXPECT_EQ(WordAt(image, c.word), c.value) << c.what;
        // The reserved words stay 0 whatever the record holds.
        for (int reserved : {5, 19, 20}) EXPECT_EQ(WordAt(image, reserved), 0) << c.what;
    }
    ParameterRecord negative;
    negative.sp1Setpoint = "-0150";
    const ParameterFileImage image = EncodeParameterFile(negative);
    EXPECT_EQ(image[12], 0x6A);
    EXPECT_EQ(image[13], 0xFF);
}

TEST(ParameterFileImage, HandWrittenFileWithUnusualValues) {
    Bytes file(76, 0);
    SetWord(file, 1, 12345);   // five digits for a four-character field
    SetWord(file, 2, -32768);  // six characters for four
    SetWord(file, 7, -32768);  // six characters for five
    SetWord(file, 5, 0x7777);  // reserved: ignored
    SetWord(file, 6, 0x0107);  // low byte only
    SetWord(file, 21, -1);     // not above 2: its low byte
    SetWord(file, 22, 4711);
    SetWord(file, 23, 0x1203);  // low byte, zero-extended
    SetWord(file, 28, 100);     // three digits for a two-character field
    SetWord(file, 29, -5);
    SetWord(file, 33, -1);
    SetWord(file, 35, 0x0041);
    SetWord(file, 36, 0x0000);  // a zero second character ends the text
    SetWord(file, 37, 0x0042);
    SetWord(file, 38, 0x0102);  // low byte

    ParameterRecord record;
    record.azUnitText = "xyz";
    DecodeParameterFile(file, record);
    EXPECT_EQ(record.mbMeasStart, "1234");
    EXPECT_EQ(record.mbDisplayStart, "-327");
    EXPECT_EQ(record.sp1Setpoint, "-3276");
    EXPECT_EQ(record.azDecimalPoint, 7);
    EXPECT_EQ(record.azRounding, 255);
    EXPECT_EQ(record.azAverageCount, "4711");
    EXPECT_EQ(record.funcCode, 3);
    EXPECT_EQ(record.rtcMinute, "10");
    EXPECT_EQ(record.rtcHour, "-5");
    EXPECT_EQ(record.rtcYear, "-1");
    EXPECT_EQ(record.azUnitText, "A");
    EXPECT_EQ(record.deviceType, 2);
    EXPECT_EQ(record.rtcDay, "0");
    EXPECT_EQ(record.soEncoderPulses, "0");

    // Rounding words above 2, including ones with a small low byte, mean "Fünfer".
    for (std::int16_t word : {3, 4, 0x0101, 0x7F00, 32767}) {
        SetWord(file, 21, word);
        DecodeParameterFile(file, record);
        EXPECT_EQ(record.azRounding, 5) << "word " << word;
    }
    SetWord(file, 21, static_cast<std::int16_t>(0x8001));  // negative: low byte
    DecodeParameterFile(file, record);
    EXPECT_EQ(record.azRounding, 1);
}

TEST(ParameterFileImage, ShortDataFillsOnlyTheWholeWordsItHolds) {
    ParameterRecord written;
    written.mbMeasStart = "11";
    written.mbDisplayStart = "22";
    written.mbMeasEnd = "33";
    written.mbDisplayEnd = "44";
    written.azDecimalPoint = 2;
    written.deviceType = 1;
    const ParameterFileImage full = EncodeParameterFile(written);

    struct Case {
        std::size_t size;
        int wordsLoaded;
    };
    for (const Case c : {Case{0, 0}, Case{1, 0}, Case{3, 1}, Case{8, 4}, Case{11, 5}, Case{12, 6},
                         Case{75, 37}, Case{76, 38}}) {
        ParameterRecord record;
        record.mbMeasStart = "a";
        record.mbDisplayStart = "b";
        record.mbMeasEnd = "c";
        record.mbDisplayEnd = "d";
        record.azDecimalPoint = 9;
        record.deviceType = 2;
        record.rtcYear = "1999";
        DecodeParameterFile(std::span<const std::uint8_t>(full.data(), c.size), record);
        SCOPED_TRACE("size " + std::to_string(c.size));
        EXPECT_EQ(record.mbMeasStart, c.wordsLoaded >= 1 ? "11" : "a");
        EXPECT_EQ(record.mbDisplayStart, c.wordsLoaded >= 2 ? "22" : "b");
        EXPECT_EQ(record.mbMeasEnd, c.wordsLoaded >= 3 ? "33" : "c");
        EXPECT_EQ(record.mbDisplayEnd, c.wordsLoaded >= 4 ? "44" : "d");
        EXPECT_EQ(record.azDecimalPoint, c.wordsLoaded >= 6 ? 2 : 9);
        EXPECT_EQ(record.rtcYear, c.wordsLoaded >= 33 ? "2001" : "1999");
        EXPECT_EQ(record.deviceType, c.wordsLoaded >= 38 ? 1 : 2);
    }
}

// The loader takes a file whole or not at all: a number whose decimal text is
// longer than its field (field sizes from the record: four characters for the
// range, delays, average count, send cycle, pulses and year, five for the
// setpoints and hystereses, two for the clock's minute, hour, day and month)
// would load as another number, and a short file as half a set.
TEST(ParameterFileImage, LoaderRefusesShortFilesAndNumbersLongerThanTheirFields) {
    ParameterRecord written;
    written.deviceType = 1;
    const ParameterFileImage good = EncodeParameterFile(written);
    struct Case {
        int word;
        std::int16_t value;
        bool loads;
    };
    const Case cases[] = {
        {14, 9999, true},   {14, 10000, false},  {14, -999, true},   {14, -1000, false},
        {1, 9999, true},    {4, -1000, false},   {17, 10000, false}, {22, 10000, false},
        {34, 10000, false}, {33, 9999, true},    {33, -1000, false}, {7, -9999, true},
        {7, -10000, false}, {12, -10000, false}, {28, 99, true},     {28, 100, false},
        {30, -9, true},     {32, -10, false},
    };
    for (const Case& c : cases) {
        Bytes file(good.begin(), good.end());
        SetWord(file, c.word, c.value);
        ParameterRecord record;
        record.mbMeasStart = "42";
        EXPECT_EQ(DecodeKnownParameterFile(file, record), c.loads)
            << "word " << c.word << " value " << c.value;
        EXPECT_EQ(record.mbMeasStart == "42", !c.loads) << "word " << c.word;
    }
    for (const std::size_t size : {0, 3, 11, 75}) {
        ParameterRecord record;
        record.mbMeasStart = "42";
        EXPECT_FALSE(DecodeKnownParameterFile(std::span(good.data(), size), record)) << size;
        EXPECT_EQ(record.mbMeasStart, "42") << size;
    }
}

}  // namespace
}  // namespace qvt
