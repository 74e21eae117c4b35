#include "platform/qt/qt_serial_port.h"

#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>

#include <algorithm>
#include <cerrno>

#include <QDeadlineTimer>
#include <QThread>

#include "platform/access_refused.h"
#include "platform/time_limited_call.h"

namespace qvt {
namespace {

// A hung-up line (the device unplugged, the peer of a pseudo terminal gone)
// reports itself as such when polled.
bool LineGone(int fd) {
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, 0) < 0)
        return errno != EINTR;
    return (p.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

}  // namespace

QtSerialPort::QtSerialPort(QObject* parent)
    : QObject(parent), drain_([](int descriptor) { return ::tcdrain(descriptor); }) {
    connect(&port_, &QSerialPort::readyRead, this, &QtSerialPort::OnReadyRead);
    connect(&port_, &QSerialPort::errorOccurred, this, &QtSerialPort::OnError);
}

QtSerialPort::~QtSerialPort() {
    Close();
}

bool QtSerialPort::Open(const std::string& devicePath, std::int32_t baudRate) {
    Close();
    ForgetArrivals();
    configuring_ = true;
    port_.setPortName(QString::fromStdString(devicePath));
    bool opened = port_.open(QIODevice::ReadWrite);
    if (opened) {
        // Qt opens with exclusive use and a raw line, keeps the settings it
        // found and puts them back on close; these are the line settings.
        port_.setBaudRate(baudRate);
        port_.setDataBits(QSerialPort::Data8);
        port_.setParity(QSerialPort::NoParity);
        port_.setStopBits(QSerialPort::OneStop);
        port_.setFlowControl(QSerialPort::NoFlowControl);
        // DTR off; a device without the line (a pseudo terminal) is no error.
        port_.setDataTerminalReady(false);
        port_.clearError();
    } else {
        // Qt names no errno; asking the system again tells a missing group
        // membership from a busy or missing device.
        ReportAccessRefused(devicePath, ReadWriteAccessError(devicePath), "dialout");
    }
    configuring_ = false;
    failed_ = false;
    return opened;
}

void QtSerialPort::Close() {
    if (!port_.isOpen())
        return;
    configuring_ = true;
    port_.close();
    port_.clearError();
    configuring_ = false;
    failed_ = false;
}

bool QtSerialPort::IsOpen() const {
    return port_.isOpen() && !failed_;
}

int QtSerialPort::ReadByte() {
    return ReadReceivedByte().value;
}

ReceivedByte QtSerialPort::ReadReceivedByte() {
    if (!IsOpen())
        return {};
    if (port_.bytesAvailable() == 0) {
        Busy busy(busy_);
        port_.waitForReadyRead(0);  // take over what the system holds, without waiting
        if (port_.error() == QSerialPort::TimeoutError)
            port_.clearError();
    }
    NoteArrivals();
    char c = 0;
    if (failed_ || !port_.getChar(&c))
        return {};
    ++taken_;
    while (!arrivals_.empty() && arrivals_.front().upTo < taken_) arrivals_.pop_front();
    const ReceivedByte::Time at = arrivals_.empty() ? ArrivalNow() : arrivals_.front().at;
    return {static_cast<unsigned char>(c), at};
}

void QtSerialPort::NoteArrivals() {
    if (!port_.isOpen())
        return;
    const qint64 seen = taken_ + port_.bytesAvailable();
    if (seen <= stamped_)
        return;
    arrivals_.push_back({seen, ArrivalNow()});
    stamped_ = seen;
}

void QtSerialPort::ForgetArrivals() {
    arrivals_.clear();
    taken_ = 0;
    stamped_ = 0;
}

bool QtSerialPort::Write(const std::uint8_t* data, std::size_t count) {
    if (!IsOpen())
        return false;
    Busy busy(busy_);
    const QDeadlineTimer deadline(writeTimeout_);
    // Once the bytes are with the driver, wait until they have left the line.
    if (HandOverToDriver(data, count, deadline) && DrainWithin(deadline))
        return true;
    // What is still in Qt's buffer or the driver's queue would otherwise go
    // out later, glued to the front of the next telegram.
    if (port_.isOpen())
        port_.clear(QSerialPort::Output);
    if (port_.error() == QSerialPort::TimeoutError)
        port_.clearError();
    return false;
}

bool QtSerialPort::DrainWithin(const QDeadlineTimer& deadline) {
    // An adapter that stalls (its flow control held, its firmware stuck)
    // keeps tcdrain asleep for good; the main thread must not sleep with it.
    const int fd = port_.handle();
    const std::chrono::milliseconds left(std::max<qint64>(deadline.remainingTime(), 1));
    if (CallWithTimeLimit(left, [&] { return drain_(fd); }) == 0)
        return true;
    if (errno != ENOTSUP)
        return false;
    // No timer to bound the call with: watch the driver's queue run empty.
    for (;;) {
        int queued = 0;
        if (::ioctl(fd, TIOCOUTQ, &queued) != 0)
            return false;
        if (queued == 0)
            return true;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(1);
    }
}

bool QtSerialPort::HandOverToDriver(const std::uint8_t* data, std::size_t count,
                                    const QDeadlineTimer& deadline) {
    const qint64 queued =
        port_.write(reinterpret_cast<const char*>(data), static_cast<qint64>(count));
    if (queued != static_cast<qint64>(count))
        return false;
    while (port_.bytesToWrite() > 0 && !failed_) {
        const auto left = deadline.remainingTime();
        if (left == 0 || !port_.waitForBytesWritten(static_cast<int>(left)))
            break;
    }
    return !failed_ && port_.bytesToWrite() == 0;
}

bool QtSerialPort::WaitForBytes(int milliseconds) {
    if (!IsOpen()) {
        QThread::msleep(static_cast<unsigned long>(milliseconds > 0 ? milliseconds : 0));
        return false;
    }
    if (port_.bytesAvailable() > 0)
        return true;
    Busy busy(busy_);
    const bool arrived = port_.waitForReadyRead(milliseconds);
    if (port_.error() == QSerialPort::TimeoutError)
        port_.clearError();
    return arrived && !failed_;
}

void QtSerialPort::SetBytesArrivedHandler(std::function<void()> handler) {
    bytesArrived_ = std::move(handler);
}

void QtSerialPort::SetLineLostHandler(std::function<void()> handler) {
    lineLost_ = std::move(handler);
}

void QtSerialPort::OnReadyRead() {
    // Stamped even while nobody reads: the monitor may stand still.
    NoteArrivals();
    if (busy_ > 0 || failed_ || !bytesArrived_)
        return;
    bytesArrived_();
}

void QtSerialPort::OnError(QSerialPort::SerialPortError error) {
    if (configuring_ || failed_)
        return;
    // Qt reports a read that found nothing (its notification came after the
    // bytes had been taken) as a read error too; only a line that is really
    // gone, or that Qt has stopped reading, closes the port.
    const bool gone = error == QSerialPort::ResourceError ||
                      ((error == QSerialPort::ReadError || error == QSerialPort::WriteError) &&
                       LineGone(port_.handle()));
    if (!gone)
        return;
    // Closed from the event loop, not from inside Qt's own notification; until
    // then the port counts as closed.
    failed_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!failed_)
                return;
            Close();
            if (lineLost_)
                lineLost_();
        },
        Qt::QueuedConnection);
}

std::unique_ptr<SerialPort> MakeQtSerialPort() {
    return std::make_unique<QtSerialPort>();
}

}  // namespace qvt
