#include "link/telegram_monitor.h"

#include <gtest/gtest.h>

#include "link/transmission.h"
#include "support/fake_serial_port.h"
#include "support/recording_monitor_view.h"

namespace qvt {
namespace {

using testing::At;
using testing::FakeClock;
using testing::FakeSerialPort;
using testing::IdleWakeUpTimer;
using testing::RecordingMonitorView;
using namespace std::chrono_literals;

// A telegram's time is when its CR arrived, not when the monitor got to it:
// the monitor stands still during a transmission (and under a message box),
// and the bytes the transmission read in passing are handled first.
TEST(TelegramMonitorTest, TelegramsAroundATransmissionKeepTheirOrderAndArrivalTimes) {
    FakeClock clock(At(1000.0));
    FakeSerialPort port(clock);
    port.SetByteTime(1ms);
    ApplicationState state;
    RecordingMonitorView view;
    IdleWakeUpTimer timer;
    TelegramMonitor monitor(port, state, view, timer, nullptr);
    monitor.PortOpened("COM2", "/dev/null");

    // "+12.5" arrives from 1000.2 on, its CR at 1000.205; the answer and
    // "-3.75" follow once the test value has left (6 ms after 1000.5).
    port.ArriveFrom(At(1000.2), "+12.5\r");
    clock.Set(At(1000.5));
    port.ArriveFrom(At(1000.5) + 6ms, "-3.75\r\x06+8.00\r");
    const TelegramBytes passOn = [&monitor](const ReceivedByte& b) { monitor.TakeOver(b); };
    EXPECT_EQ(TransmitTestValue(port, "1234", TestValuePoint::kNone, clock, passOn), kAcknowledge);
    clock.Set(At(1003.0));
    monitor.HandleSlice();

    ASSERT_EQ(view.telegrams.size(), 3u);
    const std::array<std::pair<const char*, Clock::TimePoint>, 3> expected{
        {{"+12.5\r", At(1000.2) + 5ms},
         {"-3.75\r", At(1000.5) + 11ms},
         {"+8.00\r", At(1000.5) + 18ms}}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(view.telegrams[i].text, expected[i].first);
        EXPECT_EQ(view.telegrams[i].arrived, expected[i].second) << expected[i].first;
    }
}

}  // namespace
}  // namespace qvt
