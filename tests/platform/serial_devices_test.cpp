#include "platform/serial_devices.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "support/pty_pair.h"

namespace qvt {
namespace {

// A /dev of our own: pseudo terminals stand for the ports that answer,
// plain files for the nodes the kernel makes for every possible UART.
TEST(SerialDevices, ListsThePortsThatAreThere) {
    QTemporaryDir root;
    QDir dev(root.path());
    ASSERT_TRUE(dev.mkpath("dev/serial/by-id"));
    dev.cd("dev");
    PtyPair usb, uart0, uart10;
    ASSERT_TRUE(usb.ok() && uart0.ok() && uart10.ok());
    const QString byId = "usb-FTDI FT232R USB UART (2)-if00-port0";
    QFile::link(QString::fromStdString(usb.path()), dev.filePath("serial/by-id/" + byId));
    QFile::link(QString::fromStdString(usb.path()), dev.filePath("ttyUSB0"));
    QFile::link(QString::fromStdString(uart0.path()), dev.filePath("ttyS0"));
    QFile::link(QString::fromStdString(uart10.path()), dev.filePath("ttyS10"));
    for (const char* plain : {"ttyS1", "ttyS2", "ttyACM1", "tty0", "ttyprintk"}) {
        QFile f(dev.filePath(plain));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    const std::string at = dev.path().toStdString() + "/";
    const std::vector<std::string> expected = {at + "serial/by-id/" + byId.toStdString(),
                                               at + "ttyUSB0", at + "ttyACM1", at + "ttyS0",
                                               at + "ttyS10"};
    EXPECT_EQ(ListSerialDevices(root.path().toStdString()), expected);
}

}  // namespace
}  // namespace qvt
