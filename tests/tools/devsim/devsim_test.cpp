// The device simulator's own logic: what it sends and how it judges the PC.
#include <gtest/gtest.h>

#include "core/parameter_record.h"
#include "devsim/device_telegrams.h"
#include "devsim/pc_frame_reader.h"
#include "devsim/sim_options.h"
#include "link/telegram_assembler.h"
#include "link/telegrams.h"
#include "support/clocks.h"

namespace devsim {
namespace {

using namespace std::chrono_literals;

std::tm Noon() {
    return qvt::testing::LocalTime(2026, 12, 6, 12, 34, 56);
}

struct FormCase {
    Form form;
    bool zeros;
    std::string value;
    std::size_t length;
    std::string shownText;
    std::string shownValue;
};

class DeviceTelegramTest : public ::testing::TestWithParam<FormCase> {};

// What the simulator sends is what the monitor must show.
TEST_P(DeviceTelegramTest, MonitorShowsTheSentValue) {
    const FormCase& c = GetParam();
    Options o;
    o.form = c.form;
    o.zeros = c.zeros;
    if (!c.value.empty())
        o.values = {c.value};
    const std::vector<std::uint8_t> bytes = DeviceTelegram(o, 1, Noon());
    EXPECT_EQ(bytes.size(), c.length);
    qvt::TelegramAssembler assembler;
    std::optional<qvt::ReceivedTelegram> shown;
    for (const std::uint8_t byte : bytes) {
        if (auto t = assembler.Feed(byte))
            shown = t;
    }
    if (auto t = assembler.NoMoreBytes())
        shown = t;
    ASSERT_TRUE(shown.has_value());
    EXPECT_EQ(shown->text, c.shownText);
    EXPECT_EQ(shown->value, c.shownValue);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, DeviceTelegramTest,
    ::testing::Values(
        FormCase{Form::kLong27, false, "", 28, "06.12.26 12:34:56+0012.34C", "+ 0012.34"},
        FormCase{Form::kLong28, false, "-1.5", 28, "06.12.26 12:34:56     -1.5", "      -1.5"},
        FormCase{Form::kShort, false, "", 7, "+12.34", "+ 12.34"},
        // Five characters as the device sends them: the CR falls inside the
        // six bytes the monitor shows.
        FormCase{Form::kShort, true, "-99.9", 8, "-99.9\r", "- 99.9\r"},
        FormCase{Form::kLong27, true, "+1234567890", 30, "06.12.26 12:34:56+1234567C",
                 "+ 1234567"}));

TEST(DeviceTelegramTest, NumberedValuesCountUp) {
    Options o;
    o.numbered = true;
    EXPECT_EQ(ValueField(o, 1), "+0000001");
    EXPECT_EQ(ValueField(o, 10000), "+0010000");
    o.form = Form::kShort;
    EXPECT_EQ(ValueField(o, 42), "+00042");
}

// Values given more than once come in turn, so short telegrams change their
// length; with CR LF endings every form ends as form 27 always does.
TEST(DeviceTelegramTest, ValuesInTurnAndCrLfEndings) {
    std::string error;
    const std::optional<Options> o =
        ParseOptions({"--form", "short", "--value", "+1234.5", "--value", "-5", "--crlf"}, error);
    ASSERT_TRUE(o.has_value()) << error;
    const char* const sent[] = {"+1234.5\r\n", "-5\r\n", "+1234.5\r\n"};
    for (long n = 1; n <= 3; ++n) {
        const std::vector<std::uint8_t> bytes = DeviceTelegram(*o, n, Noon());
        EXPECT_EQ(std::string(bytes.begin(), bytes.end()), sent[n - 1]) << n;
    }
    Options form28 = *o;
    form28.form = Form::kLong28;
    const std::vector<std::uint8_t> long28 = DeviceTelegram(form28, 2, Noon());
    EXPECT_EQ(std::string(long28.begin(), long28.end()), "06.12.26 12:34:56       -5C\r\n");
}

struct FrameCase {
    const char* name;
    std::vector<std::uint8_t> bytes;
    ReplyMode mode;
    PcFrame::Type type;
    qvt::TelegramCheck check;
    std::optional<std::uint8_t> reply;
    bool needsQuietGap;
};

std::vector<std::uint8_t> GoodParameters() {
    const auto t = qvt::ParameterTelegram(qvt::ParameterRecord{}, Noon());
    return {t.begin(), t.end()};
}

std::vector<std::uint8_t> Corrupted(std::vector<std::uint8_t> bytes, std::size_t at) {
    bytes[at] ^= 0x40;
    return bytes;
}

std::vector<std::uint8_t> Cut(std::vector<std::uint8_t> bytes, std::size_t size) {
    bytes.resize(size);
    return bytes;
}

class PcFrameReaderTest : public ::testing::TestWithParam<FrameCase> {};

TEST_P(PcFrameReaderTest, JudgesAndAnswers) {
    const FrameCase& c = GetParam();
    Options o;
    o.reply = c.mode;
    PcFrameReader reader(o);
    const auto start = PcFrameReader::Clock::time_point{} + 1h;
    std::optional<PcFrame> frame;
    for (std::uint8_t b : c.bytes) {
        EXPECT_FALSE(frame.has_value()) << c.name << ": ended early";
        frame = reader.Add(b, start);
    }
    EXPECT_EQ(frame.has_value(), !c.needsQuietGap) << c.name;
    if (!frame) {
        EXPECT_FALSE(reader.Poll(start + 50ms).has_value()) << c.name;
        frame = reader.Poll(start + PcFrameReader::kQuietGap);
    }
    ASSERT_TRUE(frame.has_value()) << c.name;
    EXPECT_EQ(frame->type, c.type) << c.name;
    EXPECT_EQ(frame->check, c.check) << c.name;
    EXPECT_EQ(frame->reply, c.reply) << c.name;
    EXPECT_EQ(frame->bytes, c.bytes) << c.name;
    EXPECT_FALSE(reader.Receiving());
}

INSTANTIATE_TEST_SUITE_P(
    Frames, PcFrameReaderTest,
    ::testing::Values(FrameCase{"parameters", GoodParameters(), ReplyMode::kJudge,
                                PcFrame::Type::kParameters, qvt::TelegramCheck::kOk,
                                qvt::kAcknowledge, false},
                      FrameCase{"bad checksum", Corrupted(GoodParameters(), 20), ReplyMode::kJudge,
                                PcFrame::Type::kParameters, qvt::TelegramCheck::kBadChecksum,
                                qvt::kNegativeAcknowledge, false},
                      FrameCase{"bad length byte", Corrupted(GoodParameters(), 1),
                                ReplyMode::kJudge, PcFrame::Type::kParameters,
                                qvt::TelegramCheck::kBadStart, qvt::kNegativeAcknowledge, false},
                      FrameCase{"too short", Cut(GoodParameters(), 40), ReplyMode::kJudge,
                                PcFrame::Type::kParameters, qvt::TelegramCheck::kBadLength,
                                qvt::kNegativeAcknowledge, true},
                      FrameCase{"test value",
                                {0x03, 0x04, 0x03, 0x02, 0x01, 0x0D},
                                ReplyMode::kJudge,
                                PcFrame::Type::kTestValue,
                                qvt::TelegramCheck::kOk,
                                qvt::kAcknowledge,
                                false},
                      FrameCase{"test value, told to refuse",
                                {0x03, 0x04, 0x03, 0x02, 0x01, 0x0D},
                                ReplyMode::kAlwaysNak,
                                PcFrame::Type::kTestValue,
                                qvt::TelegramCheck::kOk,
                                qvt::kNegativeAcknowledge,
                                false},
                      FrameCase{"silent device", GoodParameters(), ReplyMode::kSilent,
                                PcFrame::Type::kParameters, qvt::TelegramCheck::kOk, std::nullopt,
                                false},
                      FrameCase{"unknown",
                                {0x41, 0x42},
                                ReplyMode::kJudge,
                                PcFrame::Type::kUnknown,
                                qvt::TelegramCheck::kBadStart,
                                qvt::kNegativeAcknowledge,
                                true},
                      FrameCase{"unknown, the PC never pausing",
                                std::vector<std::uint8_t>(qvt::kParameterTelegramSize, 0x41),
                                ReplyMode::kJudge, PcFrame::Type::kUnknown,
                                qvt::TelegramCheck::kBadStart, qvt::kNegativeAcknowledge, false}));

TEST(PcFrameReaderTest, ReportListsTheDecodedParameters) {
    Options o;
    PcFrameReader reader(o);
    qvt::ParameterRecord r;
    r.sp1Setpoint = "-0150";
    const auto t = qvt::ParameterTelegram(r, Noon());
    std::optional<PcFrame> frame;
    for (std::uint8_t b : t) frame = reader.Add(b, {});
    ASSERT_TRUE(frame.has_value());
    EXPECT_NE(frame->report.find("parameter telegram (63 bytes): ok, reply 06"), std::string::npos);
    EXPECT_NE(frame->report.find("  sp1Setpoint = -0150\n"), std::string::npos);
    EXPECT_NE(frame->report.find("  bytes = 02 3D "), std::string::npos);
}

}  // namespace
}  // namespace devsim
