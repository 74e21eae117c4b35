#include "link/telegram_assembler.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qvt {
namespace {

using Kind = ReceivedTelegram::Kind;

// Feeds bytes that have arrived together, as the monitor does when they come
// in, and then says that nothing more has.
std::vector<ReceivedTelegram> Assemble(TelegramAssembler& assembler, std::string_view bytes) {
    std::vector<ReceivedTelegram> done;
    for (const char c : bytes) {
        if (auto t = assembler.Feed(static_cast<std::uint8_t>(c)))
            done.push_back(*t);
    }
    if (auto t = assembler.NoMoreBytes())
        done.push_back(*t);
    return done;
}

const std::string kLong26 = "06.12.26 21:22:05+0012.34C";   // 26 characters
const std::string kLong27 = "06.12.26 21:22:05+00012.34C";  // 27 characters

struct FormCase {
    const char* name;
    std::string bytes;
    Kind kind;
    std::string text;
    std::string value;
};

class TelegramFormTest : public ::testing::TestWithParam<FormCase> {};

TEST_P(TelegramFormTest, TextAndValue) {
    const FormCase& c = GetParam();
    TelegramAssembler assembler;
    const std::vector<ReceivedTelegram> done = Assemble(assembler, c.bytes);
    ASSERT_EQ(done.size(), 1u) << c.name;
    EXPECT_EQ(done[0].kind, c.kind) << c.name;
    EXPECT_EQ(done[0].text, c.text) << c.name;
    EXPECT_EQ(done[0].value, c.value) << c.name;
    EXPECT_EQ(assembler.Position(), 0u) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Forms, TelegramFormTest,
    ::testing::Values(
        FormCase{"27-byte form with its LF", kLong26 + "\r\n", Kind::kLong27, kLong26, "+ 0012.34"},
        FormCase{"28-byte form", kLong27 + "\r", Kind::kLong28, kLong27.substr(0, 26),
                 "+ 00012.34"},
        FormCase{"short, 6 characters", "-12.34\r", Kind::kShort, "-12.34", "- 12.34"},
        // Up to 15 bytes with the CR a telegram is short: text cut after byte 5.
        FormCase{"15 bytes is short", "ABCDEFGHIJKLMN\r", Kind::kShort, "ABCDEF", "A BCDEF"},
        // 16 bytes is long: its CR stays in the text, the value comes from
        // bytes 17.. which are still empty.
        FormCase{"16 bytes is long", "ABCDEFGHIJKLMNO\r", Kind::kLongOther, "ABCDEFGHIJKLMNO\r",
                 ""},
        FormCase{"zero bytes are dropped",
                 std::string("-1\0"
                             "2.34\r",
                             8),
                 Kind::kShort, "-12.34", "- 12.34"},
        FormCase{"31 bytes with CR", "06.12.26 21:22:05+0012.34C_xyz\r", Kind::kLongOther,
                 kLong26.substr(0, 26), "+ 0012.34"}));

TEST(TelegramAssemblerTest, TrailingByteNotYetThereStartsTheNextTelegram) {
    TelegramAssembler assembler;
    ASSERT_EQ(Assemble(assembler, kLong26 + "\r").size(), 1u);
    const std::vector<ReceivedTelegram> next = Assemble(assembler, "\n-12.3\r");
    ASSERT_EQ(next.size(), 1u);
    EXPECT_EQ(next[0].text, "\n-12.3");
    EXPECT_EQ(next[0].value, "\n -12.3");
}

TEST(TelegramAssemblerTest, TrailingByteIsConsumedWhenPresent) {
    TelegramAssembler assembler;
    const std::vector<ReceivedTelegram> done = Assemble(assembler, kLong26 + "\r\n" + "-12.34\r");
    ASSERT_EQ(done.size(), 2u);
    EXPECT_EQ(done[1].text, "-12.34");
}

// The 27-byte form waits at its CR for the caller to say whether its
// trailing byte had arrived with it: the next byte fed is that byte, whatever
// its value, and is dropped; NoMoreBytes() means it had not.
TEST(TelegramAssemblerTest, TwentySevenByteFormWaitsForItsTrailingByte) {
    for (const char trailing : {'\n', '\r', '\0', '+'}) {
        TelegramAssembler assembler;
        for (const char c : kLong26) EXPECT_FALSE(assembler.Feed(static_cast<std::uint8_t>(c)));
        EXPECT_FALSE(assembler.Feed(TelegramAssembler::kCR));
        EXPECT_TRUE(assembler.AwaitingTrailingByte());
        const std::optional<ReceivedTelegram> done =
            assembler.Feed(static_cast<std::uint8_t>(trailing));
        ASSERT_TRUE(done.has_value()) << int(trailing);
        EXPECT_EQ(done->text, kLong26);
        EXPECT_FALSE(assembler.AwaitingTrailingByte());
        EXPECT_FALSE(assembler.Receiving()) << int(trailing);
        EXPECT_FALSE(assembler.NoMoreBytes());
    }
}

TEST(TelegramAssemblerTest, SplitAcrossReadsGivesTheSameTelegram) {
    // The bytes arrive in pieces; the LF of the first telegram with the next piece.
    TelegramAssembler assembler;
    std::vector<ReceivedTelegram> done;
    for (const std::string piece : {"06.12.26 2", "1:22:05+0012", ".34C\r", "\n+99", "9.99\r"}) {
        for (const ReceivedTelegram& t : Assemble(assembler, piece)) done.push_back(t);
    }
    ASSERT_EQ(done.size(), 2u);
    EXPECT_EQ(done[0].text, kLong26);
    EXPECT_EQ(done[0].value, "+ 0012.34");
    // Split here, the LF came too late and belongs to the next telegram.
    EXPECT_EQ(done[1].text, "\n+999.");
}

TEST(TelegramAssemblerTest, BytesOfALongerTelegramStayBehindAShorterOne) {
    TelegramAssembler assembler;
    Assemble(assembler, kLong26 + "\r\n");
    // 4 characters and CR: byte 6 is cleared, byte 5 is left from before.
    const std::vector<ReceivedTelegram> done = Assemble(assembler, "1234\r");
    ASSERT_EQ(done.size(), 1u);
    EXPECT_EQ(done[0].kind, Kind::kShort);
    EXPECT_EQ(done[0].text, std::string("1234\r") + kLong26[5]);
    EXPECT_EQ(done[0].value, std::string("1 234\r") + kLong26[5]);
    // A long one of 20 bytes shows the old bytes up to byte 25 and its value.
    const std::vector<ReceivedTelegram> longer = Assemble(assembler, "ABCDEFGHIJKLMNOPQRS\r");
    ASSERT_EQ(longer.size(), 1u);
    EXPECT_EQ(longer[0].text, "ABCDEFGHIJKLMNOPQRS\r" + kLong26.substr(20, 6));
    EXPECT_EQ(longer[0].value, "R S\r" + kLong26.substr(20, 5));
}

TEST(TelegramAssemblerTest, OverlongRunIsDroppedUpToTheNextCR) {
    TelegramAssembler assembler;
    const std::string run(40, 'x');
    EXPECT_TRUE(Assemble(assembler, run).empty());
    EXPECT_TRUE(assembler.Receiving());
    EXPECT_LE(assembler.Position(), TelegramAssembler::kBufferSize);
    EXPECT_TRUE(Assemble(assembler, "yyy\r").empty());  // end of the overlong run
    EXPECT_FALSE(assembler.Receiving());
    const std::vector<ReceivedTelegram> done = Assemble(assembler, "-12.34\r");
    ASSERT_EQ(done.size(), 1u);
    EXPECT_EQ(done[0].text, "-12.34");
}

TEST(TelegramAssemblerTest, ThirtyTwoBytesWithCrAreTooLong) {
    TelegramAssembler assembler;
    EXPECT_TRUE(Assemble(assembler, std::string(31, 'x') + "\r").empty());
    EXPECT_FALSE(assembler.Receiving());
    EXPECT_EQ(Assemble(assembler, "+1.234\r").size(), 1u);
}

TEST(TelegramAssemblerTest, ReceivingWhileATelegramIsIncomplete) {
    TelegramAssembler assembler;
    EXPECT_FALSE(assembler.Receiving());
    Assemble(assembler, std::string("\0\0", 2));
    EXPECT_FALSE(assembler.Receiving());  // zero bytes are not part of anything
    Assemble(assembler, "+12");
    EXPECT_TRUE(assembler.Receiving());
    EXPECT_EQ(assembler.Position(), 3u);
    Assemble(assembler, ".34\r");
    EXPECT_FALSE(assembler.Receiving());
}

TEST(TelegramAssemblerTest, RestartForgetsAnUnfinishedTelegram) {
    TelegramAssembler assembler;
    Assemble(assembler, std::string(40, 'x'));  // overlong, being dropped
    assembler.Restart();
    EXPECT_FALSE(assembler.Receiving());
    Assemble(assembler, "+1.2");
    assembler.Restart();
    const std::vector<ReceivedTelegram> done = Assemble(assembler, "-3.456\r");
    ASSERT_EQ(done.size(), 1u);
    EXPECT_EQ(done[0].text, "-3.456");
}

}  // namespace
}  // namespace qvt
