#include "platform/settings_reader.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "support/unkind_files.h"

namespace qvt {
namespace {

PlatformSettings ReadFrom(const QByteArray& text) {
    QTemporaryDir dir;
    const QString path = dir.filePath("QVT410.INI");
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
    f.close();
    return ReadPlatformSettings(path);
}

TEST(PlatformSettings, MissingFileGivesTheDefaults) {
    const PlatformSettings s = ReadPlatformSettings("/nonexistent/QVT410.INI");
    EXPECT_EQ(s.SerialDeviceFor(0), "/dev/ttyS0");
    EXPECT_EQ(s.SerialDeviceFor(5), "/dev/ttyS5");
    EXPECT_EQ(s.parallelAccess, ParallelAccess::kAuto);
    EXPECT_EQ(s.ppdevFor378, "/dev/parport0");
    EXPECT_EQ(s.ppdevFor278, "/dev/parport1");
    EXPECT_TRUE(s.portTraceFile.empty());
    EXPECT_EQ(ChipNumber(s.emulatedChip), 8253);
    EXPECT_EQ(s.emulatedCodeFile, "emulated-code.bin");
    EXPECT_EQ(s.emulatedDataFile, "emulated-data.bin");
    EXPECT_EQ(s.emulatedLockFile, "emulated-lock");
    EXPECT_FALSE(s.programmingMenuVisible);
}

TEST(PlatformSettings, EveryKeyIsRead) {
    const PlatformSettings s = ReadFrom(
        "[serial]\nCOM2=/dev/pts/7\nCOM6=/dev/ttyUSB0\n"
        "[parallel]\naccess=emulated\nport378=/dev/parport2\nport278=/dev/parport3\n"
        "trace=/tmp/port.trace\n"
        "[emulator]\nchip=8252\ncode=c.bin\ndata=d.bin\nlocked=lock.flag\n"
        "[programming]\nmenu=visible\n");
    EXPECT_EQ(s.SerialDeviceFor(0), "/dev/ttyS0");
    EXPECT_EQ(s.SerialDeviceFor(1), "/dev/pts/7");
    EXPECT_EQ(s.SerialDeviceFor(5), "/dev/ttyUSB0");
    EXPECT_EQ(s.parallelAccess, ParallelAccess::kEmulated);
    EXPECT_EQ(s.ppdevFor378, "/dev/parport2");
    EXPECT_EQ(s.ppdevFor278, "/dev/parport3");
    EXPECT_EQ(s.portTraceFile, "/tmp/port.trace");
    EXPECT_EQ(ChipNumber(s.emulatedChip), 8252);
    EXPECT_EQ(s.emulatedCodeFile, "c.bin");
    EXPECT_EQ(s.emulatedDataFile, "d.bin");
    EXPECT_EQ(s.emulatedLockFile, "lock.flag");
    EXPECT_TRUE(s.programmingMenuVisible);
}

TEST(PlatformSettings, UnreadableValuesKeepTheDefault) {
    struct Case {
        const char* text;
        ParallelAccess access;
        int chip;
        bool menu;
    };
    const Case cases[] = {
        {"[parallel]\naccess=fast\n[emulator]\nchip=8051\n[programming]\nmenu=yes\n",
         ParallelAccess::kAuto, 8253, false},
        {"[parallel]\naccess=none\n[emulator]\nchip=abc\n[programming]\nmenu=hidden\n",
         ParallelAccess::kNone, 8253, false},
        {"[parallel]\naccess=ppdev\n[emulator]\nchip=8252\n[programming]\nmenu=Visible\n",
         ParallelAccess::kPpdev, 8252, true},
        {"[parallel]\naccess=direct\n", ParallelAccess::kDirect, 8253, false},
        {"garbage without sections\n", ParallelAccess::kAuto, 8253, false},
    };
    for (const Case& c : cases) {
        const PlatformSettings s = ReadFrom(c.text);
        EXPECT_EQ(s.parallelAccess, c.access) << c.text;
        EXPECT_EQ(ChipNumber(s.emulatedChip), c.chip) << c.text;
        EXPECT_EQ(s.programmingMenuVisible, c.menu) << c.text;
    }
}

TEST(PlatformSettings, CableSection) {
    struct Case {
        const char* text;
        CableChoice cable;
    };
    using T = CableType;
    const Case cases[] = {
        {"", CableChoice{}},
        // A map written out without quotes is a list to an INI reader.
        {"[cable]\ntype=ftdi\ndevice=usb:001:004\npins=mosi=0,sck=1, rst=~3 ,miso=2\n",
         {T::kFtdi, "usb:001:004", "mosi=0,sck=1,rst=~3,miso=2", false}},
        {"[cable]\ntype=ftdi\npins=\"mosi=0,sck=1,rst=3,miso=2\"\nemulated=yes\n",
         {T::kFtdi, "", "mosi=0,sck=1,rst=3,miso=2", true}},
        {"[cable]\ntype=gpio\nemulated=no\n", {T::kGpio, "gpiochip0", "raspberrypi", false}},
        // An unknown type keeps the parallel port, as an unknown access keeps auto.
        {"[cable]\ntype=usb\ndevice=A601XYZ\n", {T::kParallel, "A601XYZ", "", false}},
    };
    for (const Case& c : cases) {
        const PlatformSettings s = ReadFrom(c.text);
        EXPECT_EQ(s.cable.type, c.cable.type) << c.text;
        EXPECT_EQ(s.cable.device, c.cable.device) << c.text;
        EXPECT_EQ(s.cable.pins, c.cable.pins) << c.text;
        EXPECT_EQ(s.cable.emulated, c.cable.emulated) << c.text;
    }
}

// What cannot be a settings file is not read: the start neither waits for a
// pipe's writer nor takes in an endless device or a file of any size.
TEST(PlatformSettings, WhatIsNoSettingsFileGivesTheDefaults) {
    QTemporaryDir dir;
    for (const char* kind : {"pipe", "device"}) {
        const std::string path = dir.filePath(kind).toStdString();
        MakeUnkind(kind, path);
        PlatformSettings s;
        s.emulatedChip = Chip::k8252;  // what reading must replace
        EXPECT_TRUE(ReturnsWithoutWaiting(path, [&] {
            s = ReadPlatformSettings(QString::fromStdString(path));
        })) << kind;
        EXPECT_EQ(ChipNumber(s.emulatedChip), 8253) << kind;
    }
    const QByteArray tooLarge =
        "[emulator]\nchip=8252\n" + QByteArray(static_cast<int>(kLargestSettingsFile), ';');
    EXPECT_EQ(ChipNumber(ReadFrom(tooLarge).emulatedChip), 8253);
}

}  // namespace
}  // namespace qvt
