#pragma once

#include <QDeadlineTimer>
#include <QObject>
#include <QSerialPort>
#include <chrono>
#include <deque>
#include <functional>
#include <memory>

#include "platform/serial_port.h"

namespace qvt {

// The serial port through Qt SerialPort. Qt keeps its own receive buffer,
// filled from the event loop; ReadByte also fetches what the system already
// holds, so "read without waiting" sees every byte that has arrived.
//
// A hang-up or read error (a USB adapter pulled out, the peer of a pseudo
// terminal gone) closes the port at once instead of failing on every read;
// opening it again is the user's choice.
class QtSerialPort final : public QObject, public SerialPort {
    Q_OBJECT
  public:
    explicit QtSerialPort(QObject* parent = nullptr);
    ~QtSerialPort() override;

    bool Open(const std::string& devicePath, std::int32_t baudRate) override;
    void Close() override;
    bool IsOpen() const override;
    int ReadByte() override;
    ReceivedByte ReadReceivedByte() override;
    bool Write(const std::uint8_t* data, std::size_t count) override;
    bool WaitForBytes(int milliseconds) override;
    void SetBytesArrivedHandler(std::function<void()> handler) override;
    void SetLineLostHandler(std::function<void()> handler) override;

    // How long a write may take to hand its bytes to the driver and see them
    // leave the line before it gives up (a line that stops taking bytes, an
    // adapter that stalls without hanging up); 5 s unless set.
    void SetWriteTimeout(std::chrono::milliseconds timeout) { writeTimeout_ = timeout; }
    // The wait until the driver has sent everything (tcdrain on the port's
    // descriptor); replaceable to stand for an adapter that never finishes.
    // Returns 0, or -1 with errno as the system call does.
    using DrainCall = std::function<int(int descriptor)>;
    void SetDrainCall(DrainCall drain) { drain_ = std::move(drain); }

  private:
    void OnReadyRead();
    void OnError(QSerialPort::SerialPortError error);
    bool HandOverToDriver(const std::uint8_t* data, std::size_t count,
                          const QDeadlineTimer& deadline);
    bool DrainWithin(const QDeadlineTimer& deadline);
    // Notes the moment at which the bytes that Qt holds now were first seen.
    void NoteArrivals();
    void ForgetArrivals();

    // Marks a stretch of our own blocking calls, during which Qt may report
    // arrivals that the caller consumes itself.
    class Busy {
      public:
        explicit Busy(int& count) : count_(count) { ++count_; }
        ~Busy() { --count_; }
        Busy(const Busy&) = delete;
        Busy& operator=(const Busy&) = delete;

      private:
        int& count_;
    };

    QSerialPort port_;
    bool failed_ = false;  // hang-up or read error seen; the port is being closed
    bool configuring_ = false;
    int busy_ = 0;
    std::chrono::milliseconds writeTimeout_{5000};
    DrainCall drain_;
    // Arrival times: the bytes up to number upTo (counted from opening) had
    // all arrived at `at`.
    struct ArrivalMark {
        qint64 upTo;
        ReceivedByte::Time at;
    };
    std::deque<ArrivalMark> arrivals_;
    qint64 taken_ = 0;    // bytes read by callers since opening
    qint64 stamped_ = 0;  // bytes the marks account for
    std::function<void()> bytesArrived_;
    std::function<void()> lineLost_;
};

std::unique_ptr<SerialPort> MakeQtSerialPort();

}  // namespace qvt
