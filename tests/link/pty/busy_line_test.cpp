// Transmissions to the device simulator while it keeps sending its
// telegrams, with the monitor taking what the transmissions read in passing.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <chrono>
#include <fstream>
#include <regex>

#include "core/parameter_record.h"
#include "link/telegram_monitor.h"
#include "link/transmission.h"
#include "platform/qt/qt_serial_port.h"
#include "support/clocks.h"
#include "support/devsim_process.h"
#include "support/recording_monitor_view.h"

namespace qvt {
namespace {

using testing::IdleWakeUpTimer;
using testing::RecordingMonitorView;
using testing::SecondStartClock;

// The simulator with numbered telegrams of the 27-byte form, on a port the
// monitor reads and logs.
class BusyLine {
  public:
    explicit BusyLine(QStringList options) : device_(options << "--numbered") {}

    bool Start() {
        if (!device_.Start() || !folder_.isValid() ||
            !port_.Open(device_.path().toStdString(), 19200))
            return false;
        monitor_.PortOpened("COM2", device_.path().toStdString());
        return monitor_.StartLogging(LocalTime(SystemClock().Now()), folder_.path().toStdString());
    }

    std::optional<std::uint8_t> Send(bool parameters) {
        clock_.Restart();
        const TelegramBytes passOn = [this](const ReceivedByte& b) {
            ++passedOn;
            monitor_.TakeOver(b);
        };
        const std::optional<std::uint8_t> reply =
            parameters ? TransmitParameters(port_, ParameterRecord{}, clock_, passOn)
                       : TransmitTestValue(port_, "1234", TestValuePoint::kNone, clock_, passOn);
        HandleWhatArrived();
        return reply;
    }

    void HandleWhatArrived() {
        // Also takes in the simulator's report, which would block it once
        // its pipe is full.
        QCoreApplication::processEvents();
        while (monitor_.HandleSlice() == TelegramMonitor::SliceEnd::kMoreWaiting) {
        }
    }

    // Waits for the telegram in flight, handles it, and closes the log.
    std::vector<std::string> Finish() {
        port_.WaitForBytes(100);
        HandleWhatArrived();
        const std::string name = monitor_.log().fileName();
        EXPECT_TRUE(monitor_.StopLogging());
        std::ifstream log(folder_.filePath(QString::fromStdString(name)).toStdString(),
                          std::ios::binary);
        std::vector<std::string> lines;
        for (std::string line; std::getline(log, line, '\n');) lines.push_back(line);
        return lines;
    }

    // Every telegram shown is whole and numbered one after the other, and the
    // log holds exactly them, each ending in CR LF.
    void ExpectEveryTelegramWhole(const std::vector<std::string>& logLines) const {
        // "DD.MM.YY hh:mm:ss", the running number, the unit.
        static const std::regex kWhole(R"(\d\d\.\d\d\.\d\d \d\d:\d\d:\d\d\+(\d{7})C)");
        long previous = -1;
        ASSERT_EQ(logLines.size(), view_.telegrams.size());
        for (std::size_t i = 0; i < view_.telegrams.size(); ++i) {
            const std::string& text = view_.telegrams[i].text;
            std::smatch match;
            ASSERT_TRUE(std::regex_match(text, match, kWhole)) << "telegram " << i << ": " << text;
            const long number = std::stol(match[1]);
            if (previous >= 0) {
                ASSERT_EQ(number, previous + 1) << "telegram " << i << " lost or cut";
            }
            previous = number;
            EXPECT_EQ(logLines[i], text + "\r") << "log line " << i;
        }
    }

    std::size_t telegrams() const { return view_.telegrams.size(); }
    long passedOn = 0;

  private:
    DevSimProcess device_;
    QTemporaryDir folder_;
    QtSerialPort port_;
    SecondStartClock clock_;
    ApplicationState state_;
    RecordingMonitorView view_;
    IdleWakeUpTimer timer_;
    TelegramMonitor monitor_{port_, state_, view_, timer_, nullptr};
};

// 200 test values and 200 parameter sets in a row to a device that sends a
// telegram every 20 ms: every answer is the device's 0x06, and not one
// telegram in between is lost, cut or taken for the answer.
TEST(BusyLineTest, EveryAnswerIsSeenAndEveryTelegramShownAndLoggedWhole) {
    BusyLine line({"--cycle", "20"});
    ASSERT_TRUE(line.Start());
    QElapsedTimer timer;
    timer.start();
    int accepted[2] = {0, 0};
    for (int i = 0; i < 400; ++i) {
        const bool parameters = i >= 200;
        const std::optional<std::uint8_t> reply = line.Send(parameters);
        EXPECT_EQ(reply, kAcknowledge) << (parameters ? "parameters " : "test value ") << i;
        accepted[parameters] += reply == kAcknowledge;
        ASSERT_LT(timer.elapsed(), 90'000) << "after " << i << " transmissions";
    }
    EXPECT_EQ(accepted[0], 200);
    EXPECT_EQ(accepted[1], 200);
    line.ExpectEveryTelegramWhole(line.Finish());
    // The device did talk through the transmissions.
    EXPECT_GT(line.telegrams(), 100u);
    EXPECT_GT(line.passedOn, 0);
}

// A device that never answers but keeps sending: no byte of its telegrams is
// taken for an answer, and they all reach the monitor.
TEST(BusyLineTest, DeviceThatNeverAnswersGivesNoAnswer) {
    BusyLine line({"--cycle", "20", "--reply", "none"});
    ASSERT_TRUE(line.Start());
    EXPECT_EQ(line.Send(false), std::nullopt);
    EXPECT_EQ(line.Send(true), std::nullopt);
    line.ExpectEveryTelegramWhole(line.Finish());
    EXPECT_GT(line.telegrams(), 50u);
}

}  // namespace
}  // namespace qvt
