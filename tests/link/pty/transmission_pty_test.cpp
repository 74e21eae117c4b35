// Transmissions over a pseudo terminal against the device simulator, with the
// port keeping a UART's timing.
#include <gtest/gtest.h>

#include <QThread>
#include <chrono>

#include "core/parameter_record.h"
#include "link/transmission.h"
#include "platform/qt/qt_serial_port.h"
#include "support/devsim_process.h"

namespace qvt {
namespace {

using namespace std::chrono_literals;

// A UART driver notices the end of sending only some milliseconds after the
// last stop bit, so its write returns late; a pseudo terminal's returns at
// once. Wraps the real port with that delay and notes whether the device's
// answer had come in by the time the write returned.
class SlowDrainPort : public SerialPort {
  public:
    SlowDrainPort(SerialPort& line, std::chrono::milliseconds drain) : line_(line), drain_(drain) {}

    bool Open(const std::string& path, std::int32_t baud) override {
        return line_.Open(path, baud);
    }
    void Close() override { line_.Close(); }
    bool IsOpen() const override { return line_.IsOpen(); }
    int ReadByte() override { return line_.ReadByte(); }
    ReceivedByte ReadReceivedByte() override { return line_.ReadReceivedByte(); }
    bool Write(const std::uint8_t* data, std::size_t count) override {
        const bool written = line_.Write(data, count);
        QThread::msleep(static_cast<unsigned long>(drain_.count()));
        answeredDuringDrain = line_.WaitForBytes(0);
        return written;
    }
    bool WaitForBytes(int milliseconds) override { return line_.WaitForBytes(milliseconds); }
    void SetBytesArrivedHandler(std::function<void()> handler) override {
        line_.SetBytesArrivedHandler(std::move(handler));
    }

    bool answeredDuringDrain = false;

  private:
    SerialPort& line_;
    std::chrono::milliseconds drain_;
};

// A device that answers at once: its 0x06 is in before the write returns,
// and is the reply; dropping stale input after sending would lose it.
TEST(TransmissionPtyTest, QuickDevicesAnswerIsNotDropped) {
    DevSimProcess device({"--count", "1", "--reply-delay", "0"});
    ASSERT_TRUE(device.Start());
    QtSerialPort line;
    ASSERT_TRUE(line.Open(device.path().toStdString(), 19200));
    ASSERT_TRUE(device.WaitForOutput("sent 1 telegrams"));
    ASSERT_TRUE(line.WaitForBytes(2000));
    // The telegram takes 14 ms on the line at 19200 baud, and a device
    // answers only once it has finished sending it: read it whole first.
    while (line.WaitForBytes(50)) {
        while (line.ReadByte() >= 0) {
        }
    }
    SlowDrainPort port(line, 10ms);
    const SystemClock clock;
    EXPECT_EQ(TransmitParameters(port, ParameterRecord{}, clock), kAcknowledge);
    EXPECT_TRUE(port.answeredDuringDrain) << "the simulator answered after the drain";
    EXPECT_TRUE(device.WaitForOutput("parameter telegram (63 bytes): ok"));
}

}  // namespace
}  // namespace qvt
