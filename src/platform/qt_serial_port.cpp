#include "platform/qt_serial_port.h"

#include <fcntl.h>
#include <unistd.h>
#include <cerrno>

#include <QThread>

namespace qvt {
namespace {

// Reads the settings a device has before anyone changes them: Qt reconfigures
// the line while opening, so they are taken from a short open of our own.
bool ReadPreviousSettings(const std::string& path, termios& settings) {
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::tcgetattr(fd, &settings) == 0;
    ::close(fd);
    return ok;
}

}  // namespace

QtSerialPort::QtSerialPort(QObject* parent) : QObject(parent) {
    connect(&port_, &QSerialPort::readyRead, this, &QtSerialPort::OnReadyRead);
    connect(&port_, &QSerialPort::errorOccurred, this, &QtSerialPort::OnError);
}

QtSerialPort::~QtSerialPort() {
    Close();
}

bool QtSerialPort::Open(const std::string& devicePath, std::int32_t baudRate) {
    Close();
    haveSaved_ = ReadPreviousSettings(devicePath, saved_);
    configuring_ = true;
    port_.setPortName(QString::fromStdString(devicePath));
    bool opened = port_.open(QIODevice::ReadWrite);
    if (opened) {
        // Qt opens with exclusive use and a raw line; these are the line settings.
        port_.setBaudRate(baudRate);
        port_.setDataBits(QSerialPort::Data8);
        port_.setParity(QSerialPort::NoParity);
        port_.setStopBits(QSerialPort::OneStop);
        port_.setFlowControl(QSerialPort::NoFlowControl);
        // DTR off; a device without the line (a pseudo terminal) is no error.
        port_.setDataTerminalReady(false);
        port_.clearError();
    }
    configuring_ = false;
    failed_ = false;
    return opened;
}

void QtSerialPort::Close() {
    if (!port_.isOpen())
        return;
    configuring_ = true;
    if (haveSaved_)
        ::tcsetattr(port_.handle(), TCSANOW, &saved_);
    port_.close();
    port_.clearError();
    configuring_ = false;
    haveSaved_ = false;
    failed_ = false;
}

bool QtSerialPort::IsOpen() const {
    return port_.isOpen() && !failed_;
}

int QtSerialPort::ReadByte() {
    if (!IsOpen())
        return -1;
    if (port_.bytesAvailable() == 0) {
        Busy busy(busy_);
        port_.waitForReadyRead(0);  // take over what the system holds, without waiting
        if (port_.error() == QSerialPort::TimeoutError)
            port_.clearError();
    }
    char c = 0;
    if (failed_ || !port_.getChar(&c))
        return -1;
    return static_cast<unsigned char>(c);
}

bool QtSerialPort::Write(const std::uint8_t* data, std::size_t count) {
    if (!IsOpen())
        return false;
    Busy busy(busy_);
    const qint64 queued =
        port_.write(reinterpret_cast<const char*>(data), static_cast<qint64>(count));
    if (queued != static_cast<qint64>(count))
        return false;
    while (port_.bytesToWrite() > 0 && !failed_) {
        if (!port_.waitForBytesWritten(5000))
            break;
    }
    if (failed_ || port_.bytesToWrite() > 0)
        return false;
    // The bytes are with the driver; wait until they have left the line.
    return ::tcdrain(port_.handle()) == 0 || errno == EINTR;
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

void QtSerialPort::OnReadyRead() {
    if (busy_ > 0 || failed_ || !bytesArrived_)
        return;
    bytesArrived_();
}

void QtSerialPort::OnError(QSerialPort::SerialPortError error) {
    if (configuring_ || failed_)
        return;
    if (error != QSerialPort::ReadError && error != QSerialPort::ResourceError &&
        error != QSerialPort::WriteError) {
        return;
    }
    // Closed from the event loop, not from inside Qt's own notification; until
    // then the port counts as closed.
    failed_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (failed_)
                Close();
        },
        Qt::QueuedConnection);
}

std::unique_ptr<SerialPort> MakeQtSerialPort() {
    return std::make_unique<QtSerialPort>();
}

}  // namespace qvt
