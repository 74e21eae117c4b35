// qvt410-cli from outside: the real program against the device simulator on a
// pseudo terminal and against the emulated chip, judged by its output, its
// exit code and what reached the device or the chip.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <fcntl.h>
#include <unistd.h>
#include <QCoreApplication>
#include <QProcess>
#include <QRegularExpression>
#include <chrono>
#include <csignal>
#include <fstream>
#include <functional>
#include <sstream>

#include "core/parameter_record.h"
#include "emulation/chip_memory_file.h"
#include "link/clock.h"
#include "link/telegrams.h"
#include "platform/files/parameter_file.h"
#include "support/devsim_process.h"
#include "support/files.h"

namespace {

QCoreApplication& App() {
    static int argc = 1;
    static char name[] = "cli_test";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

struct CliRun {
    int exitCode = -1;
    std::string out, err;
    double cpuSeconds = 0;  // user and system time of the program
};

// Runs the program to its end in the working folder, measuring its CPU time;
// inChild runs in the child before the program starts, with the environment
// given.
CliRun RunCli(const QStringList& arguments, int timeoutMs = 30000,
              const std::function<void()>& inChild = {},
              const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    App();
    QProcess process;
    if (inChild)
        process.setChildProcessModifier(inChild);
    process.setProcessEnvironment(environment);
    process.start(QCoreApplication::applicationDirPath() + "/qvt410-cli", arguments);
    rusage before{};
    getrusage(RUSAGE_CHILDREN, &before);
    process.waitForFinished(timeoutMs);
    rusage after{};
    getrusage(RUSAGE_CHILDREN, &after);
    const auto seconds = [](const rusage& u) {
        return u.ru_utime.tv_sec + u.ru_stime.tv_sec +
               (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
    };
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString(), seconds(after) - seconds(before)};
}

// The device's answer window closes at the next whole second; a run started
// just after a tick has nearly all of it.
void WaitForTheNextSecond() {
    using namespace std::chrono;
    const auto now = system_clock::now().time_since_epoch();
    QThread::msleep(
        static_cast<unsigned long>(1000 - duration_cast<milliseconds>(now).count() % 1000 + 10));
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The bytes the simulator reports for the first telegram it received after
// the given position of its output.
std::vector<std::uint8_t> ReceivedBytes(DevSimProcess& sim, qsizetype from = 0) {
    const QRegularExpression line("bytes = ([0-9A-F ]+)\n");
    QRegularExpressionMatch match;
    for (int waited = 0; !(match = line.match(sim.Output(), from)).hasMatch() && waited < 5000;
         waited += 20) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(20);
    }
    std::vector<std::uint8_t> bytes;
    for (const QString& hex : match.captured(1).split(' ', Qt::SkipEmptyParts))
        bytes.push_back(static_cast<std::uint8_t>(hex.toUInt(nullptr, 16)));
    return bytes;
}

class CliTest : public ::testing::Test {
  protected:
    void SetUp() override { App(); }
    ScopedWorkingDir dir_;
};

TEST_F(CliTest, SendGivesTheMenusTelegramForTheFileAndTheClock) {
    qvt::ParameterRecord record;
    record.deviceType = 1;
    record.mbMeasEnd = "-150";
    record.sp1Setpoint = "1234";
    record.azUnitText =
        "\xB0"
        "C";
    ASSERT_TRUE(qvt::SaveParameterFile("Kunde.QVC", record));
    DevSimProcess sim({"--cycle", "100000", "--type", "1"});
    ASSERT_TRUE(sim.Start());
    const qvt::SystemClock clock;
    const std::tm before = qvt::LocalTime(clock.Now());
    const CliRun run = RunCli({"--port", sim.path(), "send", "Kunde.QVC"});
    const std::tm after = qvt::LocalTime(clock.Now());
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "Parameter fehlerfrei übertragen\n");
    ASSERT_TRUE(sim.WaitForOutput("bytes = "));
    // The same builder "Senden" uses, at the minute the telegram left.
    const std::vector<std::uint8_t> sent = ReceivedBytes(sim);
    const auto early = qvt::ParameterTelegram(record, before);
    const auto late = qvt::ParameterTelegram(record, after);
    EXPECT_TRUE(sent == std::vector<std::uint8_t>(early.begin(), early.end()) ||
                sent == std::vector<std::uint8_t>(late.begin(), late.end()));
}

TEST_F(CliTest, EveryExitCodeOfTheTable) {
    qvt::ParameterRecord fine;
    ASSERT_TRUE(qvt::SaveParameterFile("fine.QVC", fine));
    qvt::ParameterRecord refused;
    refused.mbMeasEnd = "2000";  // more than the main family's BCD carries
    ASSERT_TRUE(qvt::SaveParameterFile("refused.QVC", refused));
    // An emulated 8253 that an 8252 run cannot enable.
    std::ofstream("QVT410.INI") << "[parallel]\naccess=emulated\n[emulator]\nchip=8253\n";
    std::ofstream("code.hex") << ":0100000055AA\n:00000001FF\n";
    DevSimProcess nak({"--delay", "100000", "--reply", "nak"});
    DevSimProcess silent({"--delay", "100000", "--reply", "none"});
    ASSERT_TRUE(nak.Start());
    ASSERT_TRUE(silent.Start());
    struct Case {
        QStringList arguments;
        int exitCode;
    };
    const Case cases[] = {
        {{"variants"}, 0},
        {{"diff", "fine.QVC", "fine.QVC"}, 0},
        {{"diff", "fine.QVC", "refused.QVC"}, 1},
        {{"frobnicate"}, 1},
        {{"monitor", "--format", "xml"}, 1},
        {{"program", "--code", "a.hex", "--variant", "QVT410PT2"}, 1},
        {{"--port", nak.path(), "send", "fine.QVC"}, 2},
        {{"--port", silent.path(), "test", "12"}, 3},
        {{"--port", silent.path(), "monitor", "--count", "1", "--seconds", "1"}, 3},
        {{"--access", "none"}, 1},
        {{"erase", "--access", "none"}, 4},
        {{"program", "--chip", "8252", "--code", "code.hex"}, 4},
        {{"program", "--code", "missing.hex"}, 5},
        {{"send", "missing.QVC"}, 5},
        {{"send", "refused.QVC"}, 5},
        {{"hex", "fine.QVC"}, 5},
        {{"show", "missing.QVC"}, 5},
        {{"--port", "/dev/null/none", "send", "fine.QVC"}, 6},
        // Bad arguments are usage errors, whatever the command would do with them.
        {{"test", "abc"}, 1},
        {{"test", "5000"}, 1},
        {{"test", "12a"}, 1},
        {{"send", "--karte", "3", "fine.QVC"}, 1},
        {{"program", "--variant", "&"}, 1},
        {{"program", "--variant", "& &"}, 1},
    };
    for (const Case& c : cases) {
        const CliRun run = RunCli(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments.join(' ').toStdString() << run.err;
    }
}

// A cable the program cannot use stops the call before any port is touched,
// with the reason.
TEST_F(CliTest, ABadCableIsAUsageErrorThatSaysWhy) {
    struct Case {
        QStringList arguments;
        const char* reason;
    };
    const Case cases[] = {
        {{"program", "--code", "code.hex", "--cable", "ftdi:usb:001"}, "usb:BUS:GERÄT"},
        {{"erase", "--cable=ftdi::mosi=0,sck=1,rst=3,mosi=2"}, "MOSI ist zweimal"},
        {{"erase", "--cable", "gpio:gpiochip0:mosi=0,sck=1,rst=3"}, "MISO fehlt"},
        {{"erase", "--cable", "usb"}, "„usb“ ist unbekannt"},
    };
    for (const Case& c : cases) {
        const CliRun run = RunCli(c.arguments);
        EXPECT_EQ(run.exitCode, 1) << c.arguments.join(' ').toStdString();
        EXPECT_NE(run.err.find(c.reason), std::string::npos) << run.err;
    }
}

// The card type is no part of a file: the program's start value (1, the
// SIO/RTC card) goes out unless --karte names another. Byte 10 of the
// parameter telegram carries it.
TEST_F(CliTest, SendPutsTheCardTypeIntoTheTelegram) {
    ASSERT_TRUE(qvt::SaveParameterFile("fine.QVC", qvt::ParameterRecord{}));
    DevSimProcess sim({"--cycle", "100000", "--delay", "100000"});
    ASSERT_TRUE(sim.Start());
    const std::pair<QStringList, std::uint8_t> cases[] = {
        {{}, 1}, {{"--karte", "0"}, 0}, {{"--karte", "2"}, 2}, {{"--karte=1"}, 1}};
    for (const auto& [option, card] : cases) {
        const QString before = sim.Output();
        const CliRun run =
            RunCli(QStringList{"--port", sim.path(), "send"} + option + QStringList{"fine.QVC"});
        ASSERT_EQ(run.exitCode, 0) << option.join(' ').toStdString() << run.err;
        const std::vector<std::uint8_t> sent = ReceivedBytes(sim, before.size());
        ASSERT_EQ(sent.size(), 63u);
        EXPECT_EQ(sent[10], card) << option.join(' ').toStdString();
    }
}

// The number goes out as written; the telegram is 0x03, the four digits from
// the units up (the point as bit 4 of its digit), and the sum of the bytes.
TEST_F(CliTest, TestSendsTheNumberAsWritten) {
    DevSimProcess sim({"--cycle", "100000", "--delay", "100000", "--reply-delay", "0"});
    ASSERT_TRUE(sim.Start());
    const std::pair<QStringList, std::vector<std::uint8_t>> cases[] = {
        {{"12"}, {0x03, 0x02, 0x01, 0x00, 0x00, 0x06}},
        {{"5"}, {0x03, 0x05, 0x00, 0x00, 0x00, 0x08}},
        {{"0"}, {0x03, 0x00, 0x00, 0x00, 0x00, 0x03}},
        {{"3999"}, {0x03, 0x09, 0x09, 0x09, 0x03, 0x21}},
        {{"1234", "--point", "2"}, {0x03, 0x04, 0x03, 0x12, 0x01, 0x1D}},
    };
    for (const auto& [arguments, telegram] : cases) {
        const QString before = sim.Output();
        WaitForTheNextSecond();
        const CliRun run = RunCli(QStringList{"--port", sim.path(), "test"} + arguments);
        EXPECT_EQ(run.exitCode, 0) << arguments.join(' ').toStdString() << run.err;
        EXPECT_EQ(ReceivedBytes(sim, before.size()), telegram) << arguments.join(' ').toStdString();
    }
}

// A refusal that came too late for an earlier PC still waits in the port when
// the next run opens it; it is no answer to the telegram sent now.
TEST_F(CliTest, TestIgnoresWhatWaitedInThePort) {
    DevSimProcess sim({"--cycle", "100000", "--delay", "100000"});
    ASSERT_TRUE(sim.Start());
    {
        const int fd = ::open(sim.path().toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
        ASSERT_GE(fd, 0);
        const std::uint8_t broken[] = {0x03, 0x01, 0x00, 0x00, 0x00, 0x00};  // wrong sum
        ASSERT_EQ(::write(fd, broken, sizeof broken), 6);
        ::close(fd);
    }
    ASSERT_TRUE(sim.WaitForOutput("bytes = "));
    QThread::msleep(200);  // the simulator's 0x15 has reached the port
    WaitForTheNextSecond();
    const CliRun run = RunCli({"--port", sim.path(), "test", "1000"});
    EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_EQ(run.out, "Wert fehlerfrei übertragen\n");
}

// With --count the log holds the telegrams printed, no more, although the
// device sends faster than the program reads.
TEST_F(CliTest, MonitorLogsExactlyThePrintedTelegrams) {
    DevSimProcess sim({"--cycle", "0", "--baud", "0", "--numbered", "--form", "28"});
    ASSERT_TRUE(sim.Start());
    for (const char* count : {"1", "7"}) {
        const CliRun run =
            RunCli({"--port", sim.path(), "monitor", "--count", count, "--format", "csv", "--log"});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const auto name =
            QRegularExpression("Protokoll (\\S+)").match(QString::fromStdString(run.err));
        ASSERT_TRUE(name.hasMatch()) << run.err;
        std::ifstream log(name.captured(1).toStdString(), std::ios::binary);
        const std::vector<std::string> logged = Lines(
            std::string(std::istreambuf_iterator<char>(log), std::istreambuf_iterator<char>()));
        std::vector<std::string> printed = Lines(run.out);
        printed.erase(printed.begin());  // the csv header
        ASSERT_EQ(logged.size(), printed.size()) << count;
        // The same telegrams, told by their running numbers (the last in a line).
        const QRegularExpression number(R"((\d+)\D*$)");
        const auto numberIn = [&number](const std::string& line) {
            return number.match(QString::fromStdString(line)).captured(1).toStdString();
        };
        for (std::size_t i = 0; i < logged.size(); ++i) {
            EXPECT_EQ(numberIn(printed[i]), numberIn(logged[i]))
                << printed[i] << " / " << logged[i];
        }
    }
}

// A full disk: the log's lines stop reaching the file. The run ends with its
// own exit code instead of reporting success.
TEST_F(CliTest, MonitorFailsWhenTheLogCannotBeWritten) {
    DevSimProcess sim({"--cycle", "20", "--numbered"});
    ASSERT_TRUE(sim.Start());
    const auto smallDisk = [] {
        const rlimit limit{100, 100};  // three lines of 27 characters and CR LF
        ::setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, SIG_IGN);  // the write fails instead of killing the program
    };
    const CliRun run =
        RunCli({"--port", sim.path(), "monitor", "--count", "20", "--log"}, 30000, smallDisk);
    EXPECT_EQ(run.exitCode, 7) << run.err;
    EXPECT_NE(run.err.find("Protokolldatei kann nicht geschrieben werden"), std::string::npos);
    EXPECT_LT(Lines(run.out).size(), 20u);  // ended at once, not after the count
}

// The lines were written but the closing sync cannot put them on the medium:
// not a success either.
TEST_F(CliTest, MonitorFailsWhenTheLogCannotBeSynced) {
    DevSimProcess sim({"--cycle", "20"});
    ASSERT_TRUE(sim.Start());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LD_PRELOAD", QVT_FAILING_SYNC_SHIM);
    // A sanitizer's runtime would otherwise insist on coming first.
    const QString asan = environment.value("ASAN_OPTIONS");
    environment.insert("ASAN_OPTIONS",
                       (asan.isEmpty() ? "" : asan + ":") + "verify_asan_link_order=0");
    const CliRun run =
        RunCli({"--port", sim.path(), "monitor", "--count", "1", "--log"}, 30000, {}, environment);
    EXPECT_EQ(run.exitCode, 7) << run.err;
    EXPECT_EQ(Lines(run.out).size(), 1u);
    EXPECT_NE(run.err.find("Protokolldatei kann nicht geschrieben werden"), std::string::npos);
}

TEST_F(CliTest, MonitorPrintsEachTelegramInEveryFormat) {
    DevSimProcess sim({"--cycle", "20", "--numbered", "--unit", "V"});
    ASSERT_TRUE(sim.Start());
    const std::pair<QString, QRegularExpression> formats[] = {
        {"text", QRegularExpression(R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}[+-]\d\d:\d\d  )"
                                    R"((\d+) V  \d\d\.\d\d\.\d\d \d\d:\d\d:\d\d\+\d{7}V$)")},
        {"csv", QRegularExpression(R"(^[-0-9T:.+]{29},(\d+),V,[^,]{26}$)")},
        {"jsonl", QRegularExpression(R"(^\{"time":"[-0-9T:.+]{29}","value":(\d+),"unit":"V",)"
                                     R"("text":"[^"]{26}"\}$)")},
    };
    for (const auto& [format, pattern] : formats) {
        const CliRun run =
            RunCli({"--port", sim.path(), "monitor", "--count", "5", "--format", format});
        EXPECT_EQ(run.exitCode, 0) << run.err;
        std::vector<std::string> lines = Lines(run.out);
        if (format == "csv" && !lines.empty()) {
            EXPECT_EQ(lines.front(), "time,value,unit,text");
            lines.erase(lines.begin());
        }
        ASSERT_EQ(lines.size(), 5u) << run.out;
        long previous = -1;
        for (const std::string& line : lines) {
            const auto match = pattern.match(QString::fromStdString(line));
            ASSERT_TRUE(match.hasMatch()) << format.toStdString() << ": " << line;
            const long number = match.captured(1).toLong();
            EXPECT_GT(number, previous) << line;  // the running numbers, in order
            previous = number;
        }
    }
}

TEST_F(CliTest, MonitorReadsTheValueOfAShortTelegram) {
    // Five characters: the CR falls inside the field the monitor cuts.
    DevSimProcess sim({"--cycle", "20", "--form", "short", "--value", "-1.25"});
    ASSERT_TRUE(sim.Start());
    const CliRun run = RunCli({"--port", sim.path(), "monitor", "--count", "2", "--format", "csv"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 3u) << run.out;
    EXPECT_NE(lines[1].find(",-1.25,,"), std::string::npos) << lines[1];
}

TEST_F(CliTest, MonitorWaitsWithoutCpuWhileTheLineIsQuiet) {
    DevSimProcess sim({"--cycle", "100000", "--delay", "100000"});
    ASSERT_TRUE(sim.Start());
    const CliRun brief = RunCli({"--port", sim.path(), "monitor", "--seconds", "1"});
    const CliRun longer = RunCli({"--port", sim.path(), "monitor", "--seconds", "4"});
    EXPECT_EQ(brief.exitCode, 0);
    EXPECT_EQ(longer.exitCode, 0);
    // Three more idle seconds; polling the port would spend most of them.
    EXPECT_LT(longer.cpuSeconds - brief.cpuSeconds, 0.05)
        << brief.cpuSeconds << " s for 1 s, " << longer.cpuSeconds << " s for 4 s";
}

}  // namespace
