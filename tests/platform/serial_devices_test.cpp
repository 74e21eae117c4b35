#include "platform/serial_devices.h"

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

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

// Lock files as Qt (process, program and host on lines of their own, the name
// below /dev with '/' as '_') and minicom or lockdev (the process right-aligned
// in ten places, the last part of the name) leave them.
TEST(SerialDevices, ALockFileOfARunningProgramMeansBusy) {
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    const std::string below = pty.path().substr(5);  // "pts/N"
    const std::string qtName = "LCK..pts_" + below.substr(4);
    const std::string lockdevName = "LCK.." + below.substr(4);
    const pid_t ended = fork();
    if (ended == 0)
        _exit(0);
    waitpid(ended, nullptr, 0);
    char padded[16];
    std::snprintf(padded, sizeof padded, "%10d\n", 1);
    const struct {
        const char* name;
        std::string file;
        std::string contents;  // empty: no lock file
        bool busy;
    } cases[] = {
        {"no lock file", qtName, "", false},
        {"Qt, running program", qtName, "1\nterminal\nhost\n", true},
        {"lockdev, running program", lockdevName, padded, true},
        {"program that has ended", qtName, std::to_string(ended) + "\nterminal\nhost\n", false},
        {"this program", lockdevName, std::to_string(getpid()) + "\n", false},
        {"no process number", qtName, "terminal\n", false},
        {"another device", "LCK..ttyUSB7", "1\n", false},
    };
    for (const auto& c : cases) {
        QTemporaryDir folder;
        if (!c.contents.empty())
            std::ofstream(folder.filePath(QString::fromStdString(c.file)).toStdString())
                << c.contents;
        EXPECT_EQ(SerialDeviceBusy(pty.path(), {folder.path().toStdString()}), c.busy) << c.name;
    }
    QTemporaryDir folder;
    std::ofstream(folder.filePath("LCK..qvt-none").toStdString()) << "1\n";
    EXPECT_FALSE(SerialDeviceBusy("/dev/qvt-none", {folder.path().toStdString()}));
}

}  // namespace
}  // namespace qvt
