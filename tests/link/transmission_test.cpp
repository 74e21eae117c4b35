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

class FailedWriteTest : public ::testing::TestWithParam<bool> {};

// A write that gave up on an open port has not sent the telegram whole: the
// command fails as soon as the write returns, without waiting for an answer.
TEST_P(FailedWriteTest, OpenPortReportsNoReplyAtOnce) {
    const bool parameters = GetParam();
    FakeClock clock(At(100.1));
    FakeSerialPort port(clock);
    port.FailWritesAfter(300ms);
    const Clock::TimePoint start = clock.Now();
    const std::optional<std::uint8_t> reply =
        parameters ? TransmitParameters(port, ParameterRecord{}, clock)
                   : TransmitTestValue(port, "1", TestValuePoint::kNone, clock);
    EXPECT_EQ(reply, std::nullopt);
    EXPECT_EQ(clock.Now(), start + 300ms);
}

INSTANTIATE_TEST_SUITE_P(Telegrams, FailedWriteTest, ::testing::Bool());

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

TEST(TransmissionTest, TestValueTakesWhateverArrivesFirst) {
    // No draining for the test value: a byte of a cyclic telegram that is
    // already there is the reply, and the command fails.
    FakeClock clock(At(500.0));
    FakeSerialPort port(clock);
    port.Receive({'+'});
    port.ReplyAfterWrite(100ms, kAcknowledge);
    EXPECT_EQ(TransmitTestValue(port, "0001", TestValuePoint::kNone, clock), '+');
    ASSERT_EQ(port.writeCalls.size(), 1u);
    EXPECT_EQ(port.writeCalls[0], (std::vector<std::uint8_t>{0x03, 0x01, 0, 0, 0, 0x04}));
}

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

// Any byte is a reply, a zero byte too: it is not taken for silence.
TEST(TransmissionTest, OtherRepliesAreReturnedAsTheyCame) {
    for (const std::uint8_t answer : {kNegativeAcknowledge, std::uint8_t{0}}) {
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
