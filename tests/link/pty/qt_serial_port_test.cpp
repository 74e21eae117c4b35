#include "platform/qt/qt_serial_port.h"

#include <gtest/gtest.h>
#include <termios.h>
#include <time.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "link/baud_table.h"
#include "link/transmission.h"
#include "support/devsim_process.h"
#include "support/pty_pair.h"

namespace qvt {
namespace {

termios SettingsOf(int fd) {
    termios t{};
    ::tcgetattr(fd, &t);
    return t;
}

// A line as another program might have left it: cooked, echoing, with
// software flow control, CR and LF translated both ways, 7 data bits, even
// parity, two stop bits, 1200 baud.
termios CookedLine(int fd) {
    termios t = SettingsOf(fd);
    t.c_iflag |= IXON | IXOFF | ICRNL;
    t.c_oflag |= OPOST | ONLCR | OCRNL;
    t.c_lflag |= ICANON | ECHO;
    t.c_cflag = (t.c_cflag & ~CSIZE) | CS7 | PARENB | CSTOPB;
    ::cfsetispeed(&t, B1200);
    ::cfsetospeed(&t, B1200);
    ::tcsetattr(fd, TCSANOW, &t);
    return SettingsOf(fd);
}

bool SameSettings(const termios& a, const termios& b) {
    return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_cflag == b.c_cflag &&
           a.c_lflag == b.c_lflag && ::cfgetispeed(&a) == ::cfgetispeed(&b) &&
           ::cfgetospeed(&a) == ::cfgetospeed(&b) &&
           std::equal(std::begin(a.c_cc), std::end(a.c_cc), std::begin(b.c_cc));
}

struct RateCase {
    std::uint8_t baudIndex;
    speed_t speed;
};

class PortRateTest : public ::testing::TestWithParam<RateCase> {};

// Every opening sets the rate of the table and a raw 8N1 line without flow
// control; closing leaves the line exactly as it was found.
TEST_P(PortRateTest, RawLineAtTheTableRateAndOldSettingsBack) {
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    const termios before = CookedLine(pty.pcSide());
    QtSerialPort port;
    ASSERT_TRUE(port.Open(pty.path(), BaudRateForIndex(GetParam().baudIndex)));
    const termios open = SettingsOf(pty.pcSide());
    EXPECT_EQ(::cfgetospeed(&open), GetParam().speed);
    EXPECT_EQ(open.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(open.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
    EXPECT_EQ(open.c_iflag & (IXON | IXOFF | ICRNL | INPCK), 0u);
    EXPECT_EQ(open.c_lflag & (ICANON | ECHO | ISIG), 0u);
    // No output processing at all: the translations left set below it stay idle.
    EXPECT_EQ(open.c_oflag & OPOST, 0u);
    port.Close();
    EXPECT_FALSE(port.IsOpen());
    EXPECT_TRUE(SameSettings(SettingsOf(pty.pcSide()), before));
}

INSTANTIATE_TEST_SUITE_P(Rates, PortRateTest,
                         ::testing::Values(RateCase{0, B4800}, RateCase{1, B300},
                                           RateCase{3, B1200}, RateCase{5, B4800},
                                           RateCase{6, B9600}, RateCase{7, B19200},
                                           RateCase{200, B4800}));

TEST(QtSerialPortTest, UsedByOneOwnerAtATime) {
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    QtSerialPort first;
    QtSerialPort second;
    ASSERT_TRUE(first.Open(pty.path(), 4800));
    EXPECT_FALSE(second.Open(pty.path(), 4800));
    EXPECT_FALSE(second.IsOpen());
    first.Close();
    EXPECT_TRUE(second.Open(pty.path(), 4800));
}

TEST(QtSerialPortTest, WhatCannotBeOpenedStaysClosed) {
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("qvt-not-a-tty-" + std::to_string(::getpid()));
    std::ofstream(file) << "x";
    QtSerialPort port;
    EXPECT_FALSE(port.Open("/dev/qvt-no-such-port", 4800));
    EXPECT_FALSE(port.Open(file.string(), 4800));
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.ReadByte(), -1);
    const std::uint8_t byte = 0x55;
    EXPECT_FALSE(port.Write(&byte, 1));
    std::filesystem::remove(file);
}

TEST(QtSerialPortTest, ReadsWhatArrivedWithoutWaitingForTheEventLoop) {
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    CookedLine(pty.pcSide());
    QtSerialPort port;
    ASSERT_TRUE(port.Open(pty.path(), 9600));
    EXPECT_EQ(port.ReadByte(), -1);
    pty.Send(std::string("A\0\r\nB", 5));
    QThread::msleep(50);  // in the system's buffer; no event has run
    for (int expected : {int('A'), 0, int('\r'), int('\n'), int('B'), -1})
        EXPECT_EQ(port.ReadByte(), expected);
}

// An adapter that stalls without hanging up never lets tcdrain return: the
// write gives up within its time limit, drops what it could not send, and
// the port stays open for the next try.
TEST(QtSerialPortTest, StalledDrainFailsTheWriteWithinItsLimit) {
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    QtSerialPort port;
    ASSERT_TRUE(port.Open(pty.path(), 19200));
    port.SetWriteTimeout(std::chrono::milliseconds(300));
    port.SetDrainCall([](int) {
        // Asleep until a signal ends it, as tcdrain on a stalled line; an
        // unbounded drain would return after 3 s as if all had gone well.
        timespec stall{3, 0};
        return ::nanosleep(&stall, nullptr);
    });
    const std::uint8_t telegram[] = {0x03, 0x04, 0x03, 0x02, 0x01, 0x0D};
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(port.Write(telegram, sizeof telegram));
    EXPECT_LT(timer.elapsed(), 1500);
    EXPECT_TRUE(port.IsOpen());
}

// Bytes that arrive while nobody reads them (the monitor stands still under
// a message box while the event loop turns) keep the time they arrived.
TEST(QtSerialPortTest, BytesKeepTheTimeTheyArrived) {
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    QtSerialPort port;
    ASSERT_TRUE(port.Open(pty.path(), 19200));
    const auto turnEventLoop = [](int milliseconds) {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < milliseconds)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    };
    std::vector<std::chrono::system_clock::time_point> sent;
    for (const char* telegram : {"+1\r", "+2\r"}) {
        sent.push_back(std::chrono::system_clock::now());
        pty.Send(telegram);
        turnEventLoop(400);
    }
    for (std::size_t telegram = 0; telegram < sent.size(); ++telegram) {
        for (int i = 0; i < 3; ++i) {
            const ReceivedByte byte = port.ReadReceivedByte();
            ASSERT_GE(byte.value, 0);
            EXPECT_GE(byte.arrived, sent[telegram]);
            EXPECT_LT(byte.arrived, sent[telegram] + std::chrono::milliseconds(300));
        }
    }
}

TEST(QtSerialPortTest, DrainDiscardsWhatTheDeviceSentBefore) {
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    QtSerialPort port;
    pty.Send("+0012.34\r");
    ASSERT_TRUE(port.Open(pty.path(), 4800));
    pty.Send("+0099.99\r");
    QThread::msleep(50);
    DrainInput(port);
    EXPECT_EQ(port.ReadByte(), -1);
    pty.Send("X");
    EXPECT_TRUE(port.WaitForBytes(2000));
    EXPECT_EQ(port.ReadByte(), 'X');
}

// Telegram bytes go out as they are: an LF never becomes CR LF, a CR never LF.
TEST(QtSerialPortTest, WriteReturnsWithTheBytesSentUnchanged) {
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    CookedLine(pty.pcSide());
    QtSerialPort port;
    ASSERT_TRUE(port.Open(pty.path(), 19200));
    const std::vector<std::uint8_t> bytes = {0x02, 0x3D, 0x0A, 0x00, 0x0D, 0x0A, 0x0D, 0xFF};
    ASSERT_TRUE(port.Write(bytes.data(), bytes.size()));
    EXPECT_EQ(pty.ReceivedUntilQuiet(100), std::string(bytes.begin(), bytes.end()));
}

// A line that stops taking bytes (here: the other side of the pseudo terminal
// reads nothing and its buffer fills up): the write gives up after its time
// and drops its unsent rest, so the next telegram goes out alone.
TEST(QtSerialPortTest, WriteThatCannotFinishDropsItsRest) {
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    QtSerialPort port;
    ASSERT_TRUE(port.Open(pty.path(), 19200));
    port.SetWriteTimeout(std::chrono::milliseconds(200));
    const std::vector<std::uint8_t> block(4096, 0xAA);
    QElapsedTimer timer;
    bool written = true;
    for (int blocks = 0; written && blocks < 256; ++blocks) {
        timer.start();
        written = port.Write(block.data(), block.size());
    }
    ASSERT_FALSE(written) << "the pseudo terminal never stopped taking bytes";
    EXPECT_GE(timer.elapsed(), 190);
    EXPECT_LT(timer.elapsed(), 2000);
    EXPECT_TRUE(port.IsOpen());
    // What had reached the line before is the device's to read.
    const std::string before = pty.ReceivedUntilQuiet(100);
    EXPECT_EQ(before.find_first_not_of('\xAA'), std::string::npos);
    const std::vector<std::uint8_t> telegram = {0x03, 0x04, 0x03, 0x02, 0x01, 0x0D};
    ASSERT_TRUE(port.Write(telegram.data(), telegram.size()));
    const std::string after = pty.ReceivedUntilQuiet(100);
    ASSERT_EQ(after.size(), telegram.size()) << "stale bytes went out before the telegram";
    EXPECT_EQ(after, std::string(telegram.begin(), telegram.end()));
}

TEST(QtSerialPortTest, ArrivalsAreAnnouncedOnTheEventLoop) {
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    QtSerialPort port;
    ASSERT_TRUE(port.Open(pty.path(), 4800));
    std::string got;
    int calls = 0;
    port.SetBytesArrivedHandler([&] {
        ++calls;
        for (int b = port.ReadByte(); b >= 0; b = port.ReadByte()) got.push_back(char(b));
    });
    pty.Send("12.34\r");
    EXPECT_TRUE(WaitUntil([&] { return got == "12.34\r"; }));
    EXPECT_GE(calls, 1);
    // Nothing more arrives: no further announcements.
    const int settled = calls;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
    EXPECT_EQ(calls, settled);
}

TEST(QtSerialPortTest, HangUpClosesThePortAtOnceAndItCanBeOpenedAgain) {
    auto pty = std::make_unique<PtyPair>();
    ASSERT_TRUE(pty->ok());
    QtSerialPort port;
    ASSERT_TRUE(port.Open(pty->path(), 4800));
    int calls = 0;
    port.SetBytesArrivedHandler([&] {
        ++calls;
        while (port.ReadByte() >= 0) {
        }
    });
    pty->Send("abc");
    ASSERT_TRUE(WaitUntil([&] { return calls > 0; }));
    pty->CloseDevice();
    EXPECT_TRUE(WaitUntil([&] { return !port.IsOpen(); }, 2000));
    // No storm of notifications or reads after the hang-up.
    const int after = calls;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 200);
    EXPECT_LE(calls - after, 1);
    EXPECT_EQ(port.ReadByte(), -1);
    const std::uint8_t byte = 1;
    EXPECT_FALSE(port.Write(&byte, 1));

    PtyPair replacement;
    ASSERT_TRUE(replacement.ok());
    ASSERT_TRUE(port.Open(replacement.path(), 4800));
    replacement.Send("Z");
    EXPECT_TRUE(port.WaitForBytes(2000));
    EXPECT_EQ(port.ReadByte(), 'Z');
}

TEST(QtSerialPortTest, ReadingAheadOfTheNotificationKeepsThePortOpen) {
    // The monitor may take bytes itself before Qt's own notification for them
    // runs; Qt then finds nothing to read, which is no reason to give up.
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    QtSerialPort port;
    ASSERT_TRUE(port.Open(pty.path(), 4800));
    std::string got;
    auto readAll = [&] {
        for (int b = port.ReadByte(); b >= 0; b = port.ReadByte()) got.push_back(char(b));
    };
    port.SetBytesArrivedHandler(readAll);
    for (const std::string piece : {"12", "34", "56", "78"}) {
        QTimer::singleShot(0, readAll);
        pty.Send(piece);
        QThread::msleep(20);
        QCoreApplication::processEvents();
    }
    EXPECT_TRUE(WaitUntil([&] { return got == "12345678"; }));
    EXPECT_TRUE(port.IsOpen());
    pty.Send("9");
    EXPECT_TRUE(WaitUntil([&] { return got == "123456789"; }));
}

TEST(QtSerialPortTest, ClosedPortLetsTheWaitPass) {
    QtSerialPort port;
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(port.WaitForBytes(100));
    EXPECT_GE(timer.elapsed(), 90);
}

}  // namespace
}  // namespace qvt
