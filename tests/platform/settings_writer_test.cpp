#include "platform/settings_writer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "platform/settings_reader.h"

namespace qvt {
namespace {

TEST(SettingsWriter, ChangesOnlyTheOneKey) {
    struct Case {
        const char* name;
        std::string before;
        int port;
        std::string after;
    };
    const Case cases[] = {
        {"no file", "", 2, "[serial]\nCOM2=/dev/ttyUSB0\n"},
        {"no section, no last line end", "[parallel]\naccess=none", 1,
         "[parallel]\naccess=none\n\n[serial]\nCOM1=/dev/ttyUSB0\n"},
        {"value replaced, comment and alignment kept",
         "; mine\n[serial]\nCOM2=/dev/ttyS1        ; default\nCOM3=/dev/x\n[parallel]\n", 2,
         "; mine\n[serial]\nCOM2=/dev/ttyUSB0        ; default\nCOM3=/dev/x\n[parallel]\n"},
        {"quoted old value with a semicolon", "[serial]\n  COM4 =  \"/dev/a;b\" ;c\r\n", 4,
         "[serial]\n  COM4 =  /dev/ttyUSB0 ;c\r\n"},
        {"key added after the section's last key, CRLF kept",
         "[serial]\r\nCOM1=/dev/ttyS0\r\n\r\n; next\r\n[emulator]\r\nchip=8252\r\n", 6,
         "[serial]\r\nCOM1=/dev/ttyS0\r\nCOM6=/dev/ttyUSB0\r\n\r\n; next\r\n[emulator]\r\n"
         "chip=8252\r\n"},
        {"commented key and other sections untouched",
         "[Serial]\nCOM2=a\n[serial]\n;COM2=b\n[emulator]\nCOM2=c\n", 2,
         "[Serial]\nCOM2=a\n[serial]\nCOM2=/dev/ttyUSB0\n;COM2=b\n[emulator]\nCOM2=c\n"},
        {"blanks in the brackets, a section without its ']'",
         "[ serial ]\nCOM1=a\n[emulator\nchip=8252\n", 2,
         "[ serial ]\nCOM1=a\nCOM2=/dev/ttyUSB0\n[emulator\nchip=8252\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WithSerialDevice(c.before, c.port, "/dev/ttyUSB0"), c.after) << c.name;
}

TEST(SettingsWriter, OddNamesReadBackExactly) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("QVT410.INI").toStdString();
    const std::string names[] = {
        "/dev/serial/by-id/usb-FTDI FT232R USB UART-if00-port0",
        "/dev/a;b,c=d#e",
        " /dev/\"quoted\"\\back\tslash",
        "/dev/gerät",
    };
    for (std::size_t i = 0; i < std::size(names); ++i) {
        ASSERT_EQ(WriteSerialDevice(path, static_cast<int>(i) + 1, names[i]), "");
        const PlatformSettings read = ReadPlatformSettings(QString::fromStdString(path));
        for (std::size_t j = 0; j <= i; ++j) EXPECT_EQ(read.serialDevices[j], names[j]);
    }
}

// The cable chosen in the dialog is what the next start reads, the user's
// other lines (the rehearsal switch among them) untouched.
TEST(SettingsWriter, CableReadsBackAndLeavesTheRest) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("QVT410.INI").toStdString();
    const std::string before =
        "[cable]\nemulated=yes ; rehearsal\ntype=parallel\n[parallel]\ntrace=port.trace\n";
    {
        QFile file(QString::fromStdString(path));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(before.data(), static_cast<qint64>(before.size()));
    }
    const CableChoice chosen{CableType::kFtdi, "usb:001:004", "mosi=0,sck=1,rst=~3,miso=2", false};
    ASSERT_EQ(WriteCable(path, chosen), "");
    const PlatformSettings read = ReadPlatformSettings(QString::fromStdString(path));
    EXPECT_EQ(read.cable.type, chosen.type);
    EXPECT_EQ(read.cable.device, chosen.device);
    EXPECT_EQ(read.cable.pins, chosen.pins);
    EXPECT_TRUE(read.cable.emulated);
    EXPECT_EQ(read.portTraceFile, "port.trace");
}

TEST(SettingsWriter, ReplacesTheFileWhole) {
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("kept");
    const QString target = dir.filePath("kept/QVT410.INI");
    QFile file(target);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[programming]\nmenu=visible\n");
    file.close();
    ::chmod(target.toLocal8Bit().constData(), 0640);
    // The file is reached through a link; the link stays a link.
    const QString link = dir.filePath("QVT410.INI");
    ASSERT_TRUE(QFile::link(target, link));

    EXPECT_EQ(WriteSerialDevice(link.toStdString(), 2, "/dev/ttyACM0"), "");
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "[programming]\nmenu=visible\n\n[serial]\nCOM2=/dev/ttyACM0\n");
    struct stat info {};
    ::stat(target.toLocal8Bit().constData(), &info);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    // No temporary file is left beside it.
    EXPECT_EQ(QDir(dir.filePath("kept")).entryList(QDir::Files), QStringList{"QVT410.INI"});

    EXPECT_EQ(WriteSerialDevice(dir.filePath("missing/QVT410.INI").toStdString(), 1, "/dev/x"),
              "QVT410.INI kann nicht geschrieben werden: nicht vorhanden");
}

// The message a write gives for a user without the right to change the file.
// root may change any file, so as root the write runs in a child process of
// the unprivileged user "nobody".
std::string WriteAsUser(const std::string& path, const std::string& device) {
    if (::geteuid() != 0)
        return WriteSerialDevice(path, 1, device);
    int pipe[2];
    if (::pipe(pipe) != 0)
        return "no pipe";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipe[0]);
        const bool dropped = ::setgid(65534) == 0 && ::setuid(65534) == 0;
        const std::string message = dropped ? WriteSerialDevice(path, 1, device) : "not dropped";
        (void)!::write(pipe[1], message.data(), message.size());
        ::_exit(0);
    }
    ::close(pipe[1]);
    std::string message;
    char buffer[256];
    for (ssize_t n; (n = ::read(pipe[0], buffer, sizeof buffer)) > 0;) message.append(buffer, n);
    ::close(pipe[0]);
    ::waitpid(child, nullptr, 0);
    return message;
}

// A read-only file is the user's protection: it is not replaced, although
// the folder would allow a rename over it.
TEST(SettingsWriter, LeavesAReadOnlyFileAlone) {
    QTemporaryDir dir;
    ::chmod(dir.path().toLocal8Bit().constData(), 0777);
    const QString path = dir.filePath("QVT410.INI");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[serial]\nCOM1=/dev/ttyS0\n");
    file.close();
    ::chmod(path.toLocal8Bit().constData(), 0444);

    EXPECT_EQ(WriteAsUser(path.toStdString(), "/dev/ttyUSB0"),
              "QVT410.INI kann nicht geschrieben werden: Zugriff verweigert");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "[serial]\nCOM1=/dev/ttyS0\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"QVT410.INI"});
}

// A file far larger than any settings file is not taken into memory whole.
TEST(SettingsWriter, LeavesAFileTooLargeForSettingsAlone) {
    QTemporaryDir dir;
    const QString path = dir.filePath("QVT410.INI");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(1LL << 30));
    file.close();
    EXPECT_EQ(WriteSerialDevice(path.toStdString(), 1, "/dev/ttyUSB0"),
              "QVT410.INI kann nicht geschrieben werden: Datei zu groß");
    EXPECT_EQ(QFileInfo(path).size(), 1LL << 30);
}

}  // namespace
}  // namespace qvt
