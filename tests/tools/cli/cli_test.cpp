// qvt410-cli from outside: the real program against the device simulator on a
// pseudo terminal and against the emulated chip, judged by its output, its
// exit code and what reached the device or the chip.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <QCoreApplication>
#include <QProcess>
#include <QRegularExpression>
#include <fstream>
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

// Runs the program to its end in the working folder, measuring its CPU time.
CliRun RunCli(const QStringList& arguments, int timeoutMs = 30000) {
    App();
    QProcess process;
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

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The bytes the simulator reports for the last telegram it received.
std::vector<std::uint8_t> ReceivedBytes(DevSimProcess& sim) {
    const QString output = sim.Output();
    const auto match = QRegularExpression("bytes = ([0-9A-F ]+)\n").match(output);
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
    };
    for (const Case& c : cases) {
        const CliRun run = RunCli(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments.join(' ').toStdString() << run.err;
    }
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
