#include "link/transmission.h"

#include <gtest/gtest.h>

#include "core/parameter_record.h"
#include "support/fake_serial_port.h"

namespace qvt {
namespace {

using testing::At;
using testing::FakeClock;
using testing::FakeSerialPort;
using namespace std::chrono_literals;
using namespace std::string_literals;

struct WindowCase {
    const char* name;
    double start;                          // clock when the command starts
    std::chrono::nanoseconds write;        // time the telegram needs on the line
    std::chrono::nanoseconds delay;        // reply this long after the last byte left
    bool parameters;                       // parameter telegram or test value
    std::optional<std::uint8_t> expected;  // reply seen by the caller
    // The write returns this long after the last byte has left: a UART
    // driver notices the end of sending late, a quick device answers sooner.
    std::chrono::nanoseconds drain = 0ms;
};

class ReplyWindowTest : public ::testing::TestWithParam<WindowCase> {};

// The reply window runs from the end of sending until the whole-second clock
// has advanced by 2 (parameters) or by 1 (test value).
TEST_P(ReplyWindowTest, ReplyIsTakenOnlyWithinTheWindow) {
    const WindowCase& c = GetParam();
    FakeClock clock(At(c.start));
    FakeSerialPort port(clock);
    port.SetByteTime(c.write / (c.parameters ? 63 : 6));
    port.SetDrainTime(c.drain);
    port.ReplyAfterWrite(c.delay, kAcknowledge);
    const std::optional<std::uint8_t> reply =
        c.parameters ? TransmitParameters(port, ParameterRecord{}, clock)
                     : TransmitTestValue(port, "1234", TestValuePoint::kNone, clock);
    EXPECT_EQ(reply, c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Windows, ReplyWindowTest,
    ::testing::Values(
        WindowCase{"parameters, 1.5 s late, same second + 1", 100.0, 0ms, 1500ms, true, 0x06},
        WindowCase{"parameters, just before second + 2", 100.0, 0ms, 1999ms, true, 0x06},
        WindowCase{"parameters, just after second + 2", 100.0, 0ms, 2001ms, true, std::nullopt},
        WindowCase{"parameters, started late in a second", 100.9, 0ms, 1050ms, true, 0x06},
        WindowCase{"parameters, started late, reply after tick", 100.9, 0ms, 1200ms, true,
                   std::nullopt},
        // The window begins after the last byte has left: 300 ms of sending
        // carry the start into the next second.
        WindowCase{"parameters, window after sending", 100.8, 300ms, 1400ms, true, 0x06},
        WindowCase{"parameters, answer during the drain", 100.3, 131ms, 1ms, true, 0x06, 10ms},
        WindowCase{"test value, answer during the drain", 100.3, 13ms, 1ms, false, 0x06, 10ms},
        WindowCase{"test value, 0.9 s", 100.0, 0ms, 900ms, false, 0x06},
        WindowCase{"test value, after the tick", 100.9, 0ms, 200ms, false, std::nullopt},
        WindowCase{"test value, within the second", 100.5, 0ms, 400ms, false, 0x06},
        WindowCase{"test value, window after sending", 100.9, 200ms, 500ms, false, 0x06}));

struct FailedWriteCase {
    bool parameters;
    bool drainStalled;  // the bytes left, but the driver never said so
};

class FailedWriteTest : public ::testing::TestWithParam<FailedWriteCase> {};

// A write that gave up on an open port has not sent the telegram whole, or
// cannot tell: the command fails as soon as the write returns, without
// waiting for an answer, even one that comes.
TEST_P(FailedWriteTest, OpenPortReportsNoReplyAtOnce) {
    const FailedWriteCase& c = GetParam();
    FakeClock clock(At(100.1));
    FakeSerialPort port(clock);
    if (c.drainStalled)
        port.StallDrain(300ms);
    else
        port.FailWritesAfter(300ms);
    port.ReplyAfterWrite(10ms, kAcknowledge);
    const Clock::TimePoint start = clock.Now();
    const std::optional<std::uint8_t> reply =
        c.parameters ? TransmitParameters(port, ParameterRecord{}, clock)
                     : TransmitTestValue(port, "1", TestValuePoint::kNone, clock);
    EXPECT_EQ(reply, std::nullopt);
    EXPECT_EQ(clock.Now(), start + 300ms);
}

INSTANTIATE_TEST_SUITE_P(Telegrams, FailedWriteTest,
                         ::testing::Values(FailedWriteCase{true, false},
                                           FailedWriteCase{false, false},
                                           FailedWriteCase{true, true},
                                           FailedWriteCase{false, true}));

TEST(TransmissionTest, ParameterTelegramIsWrittenWholeAndExactly) {
    FakeClock clock(At(1'796'000'000.0));
    FakeSerialPort port(clock);
    ParameterRecord record;
    record.sp1Setpoint = "-0150";
    port.ReplyAfterWrite(10ms, kAcknowledge);
    EXPECT_EQ(TransmitParameters(port, record, clock), kAcknowledge);
    const ParameterTelegramBytes expected =
        ParameterTelegram(record, LocalTime(At(1'796'000'000.0)));
    ASSERT_EQ(port.written.size(), kParameterTelegramSize);
    EXPECT_TRUE(std::equal(port.written.begin(), port.written.end(), expected.begin()));
    EXPECT_EQ(port.written[14], 0x50);
    EXPECT_EQ(port.written[15], 0x21);
}

TEST(TransmissionTest, BytesReceivedBeforeTheReplyAreDrainedForParameters) {
    FakeClock clock(At(500.0));
    FakeSerialPort port(clock);
    port.Receive({'1', '2', '.', '3'});  // part of a cyclic telegram
    port.ReplyAfterWrite(300ms, kAcknowledge);
    port.ReplyAfterWrite(301ms, 'X');
    EXPECT_EQ(TransmitParameters(port, ParameterRecord{}, clock), kAcknowledge);
    // Only the first byte after the drain is read; the rest stays for the monitor.
    EXPECT_EQ(port.unread(), 0u);
    clock.Advance(5ms);
    EXPECT_EQ(port.ReadByte(), 'X');
}

TEST(TransmissionTest, TestValueTakesTheAnswerNotATelegramByteWaitingBeforeIt) {
    FakeClock clock(At(500.0));
    FakeSerialPort port(clock);
    port.Receive({'+'});  // the start of a cyclic telegram
    port.ReplyAfterWrite(100ms, kAcknowledge);
    EXPECT_EQ(TransmitTestValue(port, "0001", TestValuePoint::kNone, clock), kAcknowledge);
    ASSERT_EQ(port.writeCalls.size(), 1u);
    EXPECT_EQ(port.writeCalls[0], (std::vector<std::uint8_t>{0x03, 0x01, 0, 0, 0, 0x04}));
}

// The device goes on sending its telegrams before, during and after a
// transmission, and answers between two of them. Its answer is the first
// byte that no telegram holds; every telegram byte reaches the monitor, in
// order, whether the transmission read it or left it in the port.
struct StreamCase {
    const char* name;
    bool parameters;
    std::string before;  // arrived before the command, not yet handled
    std::string during;  // arrives from the end of sending on, a byte time apart
    std::optional<std::uint8_t> expected;
};

void PrintTo(const StreamCase& c, std::ostream* os) {
    *os << c.name;
}

class TelegramStreamTest : public ::testing::TestWithParam<StreamCase> {};

TEST_P(TelegramStreamTest, AnswerIsPickedOutAndTelegramsPassWhole) {
    const StreamCase& c = GetParam();
    FakeClock clock(At(700.0));
    FakeSerialPort port(clock);
    port.SetByteTime(100us);
    port.Receive(std::vector<std::uint8_t>(c.before.begin(), c.before.end()));
    // The telegram takes 6.3 ms (parameters) or 0.6 ms on the line.
    port.ArriveFrom(At(700.0) + (c.parameters ? 6300us : 600us), c.during);
    std::string passedOn;
    const TelegramBytes monitor = [&](const ReceivedByte& b) { passedOn += char(b.value); };
    const std::optional<std::uint8_t> reply =
        c.parameters ? TransmitParameters(port, ParameterRecord{}, clock, monitor)
                     : TransmitTestValue(port, "1234", TestValuePoint::kNone, clock, monitor);
    EXPECT_EQ(reply, c.expected) << c.name;
    clock.Advance(5s);
    for (int b = port.ReadByte(); b >= 0; b = port.ReadByte()) passedOn += char(b);
    std::string stream = c.before + c.during;
    // What the device sent but the monitor must not see: its answer, and a
    // late answer to an earlier telegram that was waiting before sending.
    std::erase_if(stream, [](char ch) { return ch == 0x06 || ch == 0x15; });
    EXPECT_EQ(passedOn, stream) << c.name;
}

const std::string kTelegram = "06.12.26 21:41:13 +0012.34\xB0\r\n";

INSTANTIATE_TEST_SUITE_P(
    Streams, TelegramStreamTest,
    ::testing::Values(
        StreamCase{"test value, telegram in flight", false, kTelegram.substr(0, 3),
                   kTelegram.substr(3) + "\x06" + kTelegram, kAcknowledge},
        StreamCase{"parameters, telegram in flight", true, kTelegram.substr(0, 20),
                   kTelegram.substr(20) + "\x06" + kTelegram, kAcknowledge},
        StreamCase{"refused between telegrams", true, "", kTelegram + "\x15" + kTelegram,
                   kNegativeAcknowledge},
        StreamCase{"short telegrams with zero bytes", false,
                   "+1\0"
                   "2.5\r"s,
                   "-0\0"
                   ".25\r\x06+3\r"s,
                   kAcknowledge},
        StreamCase{"never answers", true, "", kTelegram + kTelegram + kTelegram, std::nullopt},
        StreamCase{"test value, a late answer waiting", false, "\x06", kTelegram, std::nullopt},
        StreamCase{"parameters, a late refusal waiting", true, kTelegram + "\x15", "+1\r\x06",
                   kAcknowledge}));

struct SilenceCase {
    bool parameters;
    double start;
    double minWait;
    double maxWait;
};

class SilentDeviceTest : public ::testing::TestWithParam<SilenceCase> {};

// Without an answer the command gives up after one to two seconds
// (parameters) or at the next whole second (test value), without spinning.
TEST_P(SilentDeviceTest, GivesUpAtTheEndOfTheWindow) {
    const SilenceCase& c = GetParam();
    FakeClock clock(At(c.start));
    FakeSerialPort port(clock);
    const std::optional<std::uint8_t> reply =
        c.parameters ? TransmitParameters(port, ParameterRecord{}, clock)
                     : TransmitTestValue(port, "1", TestValuePoint::kNone, clock);
    EXPECT_EQ(reply, std::nullopt);
    const double waited = std::chrono::duration<double>(clock.Now() - At(c.start)).count();
    EXPECT_GE(waited, c.minWait);
    EXPECT_LE(waited, c.maxWait);
    EXPECT_LT(port.waits, 10);
}

INSTANTIATE_TEST_SUITE_P(Silence, SilentDeviceTest,
                         ::testing::Values(SilenceCase{true, 100.0, 1.999, 2.0},
                                           SilenceCase{true, 100.99, 1.0, 1.011},
                                           SilenceCase{false, 100.0, 0.999, 1.0},
                                           SilenceCase{false, 100.75, 0.2, 0.251}));

TEST(TransmissionTest, ClosedPortFailsAfterTheWindow) {
    FakeClock clock(At(100.2));
    FakeSerialPort port(clock);
    port.SetOpen(false);
    port.ReplyAfterWrite(10ms, kAcknowledge);  // never reaches a closed port
    EXPECT_EQ(TransmitParameters(port, ParameterRecord{}, clock), std::nullopt);
    EXPECT_GE(clock.Now(), At(102.0));
    EXPECT_EQ(TransmitTestValue(port, "1", TestValuePoint::kNone, clock), std::nullopt);
}

// Any control byte but CR and LF is an answer, and only 0x06 accepts;
// zero bytes are left to the monitor, which drops them inside telegrams.
TEST(TransmissionTest, OtherRepliesAreReturnedAsTheyCame) {
    for (const std::uint8_t answer :
         {kNegativeAcknowledge, std::uint8_t{0x01}, std::uint8_t{0x7F}}) {
        FakeClock clock(At(100.0));
        FakeSerialPort port(clock);
        port.ReplyAfterWrite(50ms, answer);
        EXPECT_EQ(TransmitParameters(port, ParameterRecord{}, clock), answer);
        port.ReplyAfterWrite(50ms, answer);
        EXPECT_EQ(TransmitTestValue(port, "1", TestValuePoint::kNone, clock), answer);
    }
}

TEST(TransmissionTest, DrainInputDiscardsEverythingWaiting) {
    FakeClock clock(At(100.0));
    FakeSerialPort port(clock);
    port.Receive({1, 2, 3, 0, 13});
    DrainInput(port);
    EXPECT_EQ(port.unread(), 0u);
    EXPECT_EQ(port.ReadByte(), -1);
}

}  // namespace
}  // namespace qvt
