// Transmissions over a pseudo terminal to the device simulator.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <chrono>
#include <thread>

#include "core/parameter_record.h"
#include "link/pty/devsim_process.h"
#include "link/pty/shifted_clock.h"
#include "link/telegrams.h"
#include "link/transmission.h"
#include "platform/qt_serial_port.h"

namespace qvt {
namespace {

using namespace std::chrono_literals;

ParameterRecord ExampleRecord() {
    ParameterRecord r;
    r.daCardType = 2;
    r.azRounding = 1;
    r.sioBaudIndex = 5;
    r.sioMode = 0;
    r.azAverageCount = "000";
    return r;
}

// Waits for the start of the next whole second, so a window of one second
// is a full second long.
void StartOfNextSecond() {
    const auto now = std::chrono::system_clock::now();
    std::this_thread::sleep_until(std::chrono::ceil<std::chrono::seconds>(now) + 20ms);
}

struct Connected {
    explicit Connected(QStringList options) : sim(std::move(options)) {}
    bool Open() { return sim.Start() && port.Open(sim.path().toStdString(), 4800); }
    DevSimProcess sim;
    QtSerialPort port;
};

TEST(DevSimTransmissionTest, CompleteExampleTelegramReachesTheDeviceByteForByte) {
    Connected link({"--count", "0"});
    ASSERT_TRUE(link.Open());
    const ShiftedClock clock(Sunday6December2026At2122());
    EXPECT_EQ(TransmitParameters(link.port, ExampleRecord(), clock), kAcknowledge);
    ASSERT_TRUE(link.sim.WaitForOutput("bytes ="));
    const QString out = link.sim.Output();
    EXPECT_TRUE(out.contains("parameter telegram (63 bytes): ok, reply 06")) << out.toStdString();
    EXPECT_TRUE(out.contains(
        "bytes = 02 3D 00 00 00 00 00 00 00 00 02 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
        "00 00 00 01 00 00 00 00 00 00 00 00 01 00 00 00 00 00 00 00 00 00 00 00 05 00 22 21 06 "
        "00 12 26 00 00 00 00 C9\n"))
        << out.toStdString();
    EXPECT_TRUE(out.contains("soEncoderPulses = 0100")) << out.toStdString();
}

struct ReplyCase {
    const char* name;
    QStringList options;
    bool parameters;
    int expected;
};

class DevSimReplyTest : public ::testing::TestWithParam<ReplyCase> {};

TEST_P(DevSimReplyTest, ReplyAsTheDeviceGivesIt) {
    const ReplyCase& c = GetParam();
    Connected link(QStringList{"--count", "0"} + c.options);
    ASSERT_TRUE(link.Open());
    const SystemClock clock;
    StartOfNextSecond();
    QElapsedTimer timer;
    timer.start();
    const int reply = c.parameters
                          ? TransmitParameters(link.port, ParameterRecord{}, clock)
                          : TransmitTestValue(link.port, "1234", TestValuePoint::kNone, clock);
    EXPECT_EQ(reply, c.expected) << c.name;
    if (c.expected == 0 || c.expected == -1) {
        // No answer: the whole window has passed, and no more.
        const double window = c.parameters ? 2.0 : 1.0;
        EXPECT_GE(timer.elapsed(), (window - 1.0) * 1000 - 50) << c.name;
        EXPECT_LE(timer.elapsed(), window * 1000 + 300) << c.name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Replies, DevSimReplyTest,
    ::testing::Values(
        ReplyCase{"parameters accepted", {}, true, kAcknowledge},
        ReplyCase{"parameters refused", {"--reply", "nak"}, true, kNegativeAcknowledge},
        ReplyCase{"parameters unanswered", {"--reply", "none"}, true, 0},
        ReplyCase{
            "parameters answered late but in time", {"--reply-delay", "700"}, true, kAcknowledge},
        ReplyCase{"parameters answered too late", {"--reply-delay", "2300"}, true, 0},
        ReplyCase{"test value accepted", {}, false, kAcknowledge},
        ReplyCase{"test value refused", {"--reply", "nak"}, false, kNegativeAcknowledge},
        ReplyCase{"test value unanswered", {"--reply", "none"}, false, -1},
        ReplyCase{"test value answered late", {"--reply-delay", "1200"}, false, -1}));

TEST(DevSimTransmissionTest, TestValueIsDecodedByTheDevice) {
    Connected link({"--count", "0"});
    ASSERT_TRUE(link.Open());
    const SystemClock clock;
    EXPECT_EQ(TransmitTestValue(link.port, "1234", TestValuePoint::kHundreds, clock), kAcknowledge);
    ASSERT_TRUE(link.sim.WaitForOutput("value = "));
    EXPECT_TRUE(
        link.sim.Output().contains("test value telegram (6 bytes): ok, reply 06\n"
                                   "  value = 12.34\n"
                                   "  bytes = 03 04 03 12 01 1D\n"))
        << link.sim.Output().toStdString();
}

TEST(DevSimTransmissionTest, ParametersWhileTheDeviceSendsItsTelegrams) {
    // The device pauses its telegrams for the answer; what it sent before
    // is drained, so the answer is the first byte after sending.
    Connected link({"--cycle", "0", "--baud", "4800"});
    ASSERT_TRUE(link.Open());
    QThread::msleep(100);
    const SystemClock clock;
    EXPECT_EQ(TransmitParameters(link.port, ParameterRecord{}, clock), kAcknowledge);
}

}  // namespace
}  // namespace qvt
