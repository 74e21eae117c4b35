// qvt410-cli program on the emulated chip of QVT410.INI: what lands in the
// chip's memories, and Ctrl-C in the middle of a run.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "emulation/chip_memory_file.h"
#include "support/files.h"

namespace {

// An Intel HEX file of the image, 16 bytes a record.
void WriteHex(const std::string& name, const std::vector<std::uint8_t>& image) {
    std::ofstream out(name);
    char line[64];
    for (std::size_t at = 0; at < image.size(); at += 16) {
        const std::size_t length = std::min<std::size_t>(16, image.size() - at);
        unsigned sum = length + (at >> 8) + (at & 0xFF);
        std::snprintf(line, sizeof line, ":%02zX%04zX00", length, at);
        out << line;
        for (std::size_t i = 0; i < length; ++i) {
            std::snprintf(line, sizeof line, "%02X", image[at + i]);
            out << line;
            sum += image[at + i];
        }
        std::snprintf(line, sizeof line, "%02X\n", (0x100 - (sum & 0xFF)) & 0xFF);
        out << line;
    }
    out << ":00000001FF\n";
}

std::vector<std::uint8_t> RandomImage(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<std::uint8_t> image(size);
    for (auto& byte : image) byte = static_cast<std::uint8_t>(random());
    return image;
}

void WriteSettings(int chip) {
    std::ofstream("QVT410.INI") << "[parallel]\naccess=emulated\ntrace=trace.txt\n"
                                << "[emulator]\nchip=" << chip
                                << "\ncode=code.bin\ndata=data.bin\nlocked=locked\n";
}

QProcess* StartCli(QProcess& process, const QStringList& arguments) {
    static int argc = 1;
    static char name[] = "cli_program_test";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    process.start(QCoreApplication::applicationDirPath() + "/qvt410-cli", arguments);
    return &process;
}

bool StartsWith(const std::vector<std::uint8_t>& memory, const std::vector<std::uint8_t>& image) {
    return memory.size() >= image.size() && std::equal(image.begin(), image.end(), memory.begin());
}

class CliProgramTest : public ::testing::Test {
  protected:
    ScopedWorkingDir dir_;
};

TEST_F(CliProgramTest, ChipHoldsTheImagesOfBothChipsAndOfAVariant) {
    struct Case {
        int chip;
        QStringList arguments;
        std::string codeFile, dataFile;
    };
    const Case cases[] = {
        {8252,
         {"program", "--chip", "8252", "--code", "code.hex", "--data", "data.hex"},
         "code.hex",
         "data.hex"},
        {8253, {"program", "--code", "code.hex", "--data", "data.hex"}, "code.hex", "data.hex"},
        // The single-device edition's program file has an E for its first letter.
        {8253, {"program", "--variant", "qvt410-050 pt"}, "EVTPT_I.HEX", "QVTPTTAB.HEX"},
    };
    unsigned seed = 1;
    for (const Case& c : cases) {
        for (const char* name : {"code.bin", "data.bin", "locked"}) std::remove(name);
        WriteSettings(c.chip);
        const auto code = RandomImage(3000, ++seed);
        const auto data = RandomImage(300, ++seed);
        WriteHex(c.codeFile, code);
        WriteHex(c.dataFile, data);
        QProcess process;
        StartCli(process, c.arguments)->waitForFinished(60000);
        const std::string out = process.readAllStandardOutput().toStdString();
        EXPECT_EQ(process.exitCode(), 0) << out << process.readAllStandardError().toStdString();
        EXPECT_NE(out.find("Programm- und Datenspeicher fehlerfrei Programmiert"),
                  std::string::npos)
            << out;
        EXPECT_TRUE(StartsWith(qvt::LoadMemoryImage("code.bin", 8192), code)) << c.chip;
        EXPECT_TRUE(StartsWith(qvt::LoadMemoryImage("data.bin", 2048), data)) << c.chip;
    }
}

struct Finished {
    int exitCode;
    std::string out, err;
};

Finished RunToEnd(const QStringList& arguments) {
    QProcess process;
    StartCli(process, arguments)->waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString()};
}

std::string Contents(const std::string& name) {
    std::ifstream in(name);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The menu offers an entry only where it shows it: never the power variants
// of the 430..460 lines, and the 410's and 420's only for a single device.
// What it does not offer runs only with --force.
TEST_F(CliProgramTest, ProgramsOnlyWhatTheMenuOffersUnlessForced) {
    WriteSettings(8253);
    const auto image = RandomImage(64, 3);
    // The power firmware under every name an 8253 looks for.
    for (const char* name : {"EVT410025.HEX", "NVT410025.HEX"}) WriteHex(name, image);
    struct Case {
        QStringList arguments;
        int exitCode;
    };
    const Case cases[] = {
        {{"program", "--variant", "QVT430025Leistung1"}, 1},
        {{"program", "--variant", "QVT460-025 Leistung"}, 1},
        {{"program", "--variant", "QVT410-025 Leistung", "--network"}, 1},
        {{"program", "--variant", "QVT420025Leistung1", "--network"}, 1},
        {{"program", "--variant", "QVT410-025 Leistung"}, 0},
        {{"program", "--variant", "QVT430025Leistung1", "--force"}, 0},
        {{"program", "--variant", "QVT410-025 Leistung", "--network", "--force"}, 0},
    };
    for (const Case& c : cases) {
        std::remove("code.bin");
        const Finished run = RunToEnd(c.arguments);
        const std::string call = c.arguments.join(' ').toStdString();
        EXPECT_EQ(run.exitCode, c.exitCode) << call << "\n" << run.out << run.err;
        // Refused before the chip was touched.
        EXPECT_EQ(StartsWith(qvt::LoadMemoryImage("code.bin", 8192), image), c.exitCode == 0)
            << call;
    }
}

// XPG.EXE stands in as a script that logs its arguments and ends as told: the
// first run (W) with the first code, the second (S) with the second; "gone"
// removes the script during the first run, so the second cannot start.
TEST_F(CliProgramTest, TheOutsideProgrammersRunsDecideTheExitCode) {
    struct Case {
        const char* first;
        const char* second;
        int exitCode;
    };
    const Case cases[] = {
        {"0", "0", 0},
        {"0", "5", 4},
        {"0", "gone", 4},
        {"4", "0", 4},
    };
    for (const Case& c : cases) {
        std::remove("xpg.log");
        std::ofstream("XPG.EXE") << "#!/bin/sh\necho \"$*\" >> xpg.log\n"
                                 << "if [ \"$2\" = W ]; then\n"
                                 << "  [ " << c.second << " = gone ] && rm -f \"$0\"\n"
                                 << "  exit " << c.first << "\nfi\n"
                                 << "exit " << (std::string(c.second) == "gone" ? "0" : c.second)
                                 << "\n";
        std::filesystem::permissions("XPG.EXE", std::filesystem::perms::owner_all);
        const Finished run = RunToEnd({"program", "--variant", "QVT470-0&40"});
        EXPECT_EQ(run.exitCode, c.exitCode) << c.first << "/" << c.second << "\n"
                                            << run.out << run.err;
        const bool secondRan = std::string(c.first) == "0" && std::string(c.second) != "gone";
        EXPECT_EQ(Contents("xpg.log"),
                  "QVT47040 W 1 101\n" + std::string(secondRan ? "QVT470 S 1 101\n" : ""));
    }
    // A name that strips to nothing names no entry, and starts nothing.
    std::remove("xpg.log");
    EXPECT_EQ(RunToEnd({"program", "--variant", "&"}).exitCode, 1);
    EXPECT_EQ(Contents("xpg.log"), "");
}

TEST_F(CliProgramTest, CtrlCEndsTheRunWithItsClosingSteps) {
    WriteSettings(8253);
    WriteHex("code.hex", RandomImage(12288, 7));
    QProcess process;
    StartCli(process, {"program", "--code", "code.hex"});
    // Interrupted once the first page is on its way.
    while (!process.readAllStandardOutput().contains("Programmierung des Programmspeichers"))
        ASSERT_TRUE(process.waitForReadyRead(20000));
    ::kill(static_cast<pid_t>(process.processId()), SIGINT);
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 130);
    // The chip is let out of reset: the cable's idle pattern is the last write.
    std::ifstream trace("trace.txt");
    std::string line, lastWrite;
    long writes = 0;
    while (std::getline(trace, line)) {
        if (line.rfind("W ", 0) == 0) {
            lastWrite = line;
            ++writes;
        }
    }
    EXPECT_EQ(lastWrite, "W 0378 08");
    // Not the whole 12 KB: a page is a few hundred writes.
    EXPECT_LT(writes, 12288L * 30) << writes;
}

// A file the chosen chip cannot hold, and a pipe in place of a file: both end
// with the file error before the chip is touched, the pipe without a wait.
TEST_F(CliProgramTest, FirmwareTheChipCannotTakeIsRefusedAtOnce) {
    WriteSettings(8252);
    WriteHex("code.hex", RandomImage(12288, 3));  // an image for the 8253
    ASSERT_EQ(mkfifo("pipe.hex", 0600), 0);
    const struct {
        QStringList arguments;
        const char* says;
    } cases[] = {
        {{"program", "--chip", "8252", "--code", "code.hex"},
         "passt nicht in den Programmspeicher des 8252 (8192 Bytes)"},
        {{"program", "--chip", "8252", "--code", "pipe.hex"},
         "kann nicht gelesen werden: keine gewöhnliche Datei"},
        {{"hex", "pipe.hex"}, "kann nicht gelesen werden: keine gewöhnliche Datei"},
    };
    for (const auto& c : cases) {
        QProcess process;
        StartCli(process, c.arguments);
        const bool finished = process.waitForFinished(5000);
        if (!finished) {
            process.kill();
            process.waitForFinished();
        }
        const std::string text =
            (process.readAllStandardOutput() + process.readAllStandardError()).toStdString();
        const std::string name = c.arguments.join(' ').toStdString();
        EXPECT_TRUE(finished) << name;
        EXPECT_EQ(process.exitCode(), 5) << name << text;
        EXPECT_NE(text.find(c.says), std::string::npos) << name << text;
    }
    EXPECT_EQ(qvt::LoadMemoryImage("code.bin", 8192), std::vector<std::uint8_t>(8192, 0xFF));
}

// Programming through the emulated USB adapter and GPIO lines: each device
// has a chip of its own (its memory files named after it), programmed as the
// parallel cable programs it.
TEST_F(CliProgramTest, EmulatedUsbCablesProgramTheChipBehindThem) {
    const struct {
        int chip;
        const char* cable;
        const char* device;
    } cases[] = {
        {8252, "emulated-ftdi:A1:ft232r", "A1"},
        {8253, "emulated-ftdi:B2:ft232h", "B2"},
        {8252, "emulated-gpio:gpiochip0", "gpiochip0"},
        {8253, "emulated-gpio:gpiochip1:mosi=~4,sck=5,rst=6,miso=~7", "gpiochip1"},
    };
    unsigned seed = 40;
    for (const auto& c : cases) {
        WriteSettings(c.chip);
        const auto code = RandomImage(c.chip == 8252 ? 8192 : 12288, ++seed);
        const auto data = RandomImage(2048, ++seed);
        WriteHex("code.hex", code);
        WriteHex("data.hex", data);
        const Finished run = RunToEnd({"program", "--chip", QString::number(c.chip), "--code",
                                       "code.hex", "--data", "data.hex", "--cable", c.cable});
        EXPECT_EQ(run.exitCode, 0) << c.cable << run.out << run.err;
        EXPECT_NE(run.err.find("Programmierkabel: emulated"), std::string::npos) << run.err;
        const std::string device = c.device;
        EXPECT_EQ(qvt::LoadMemoryImage("code-" + device + ".bin", code.size()), code) << c.cable;
        EXPECT_EQ(qvt::LoadMemoryImage("data-" + device + ".bin", 2048), data) << c.cable;
        EXPECT_FALSE(std::filesystem::exists("code.bin")) << c.cable;
    }
}

// A production bench: one run per adapter, side by side. Two adapters run at
// once, each on its own chip; an adapter another process holds is refused
// as busy and nothing reaches its chip.
TEST_F(CliProgramTest, StationsSideBySideEachHoldOnlyTheirOwnAdapter) {
    WriteSettings(8252);
    const auto first = RandomImage(8192, 91);
    const auto second = RandomImage(8192, 92);
    WriteHex("first.hex", first);
    WriteHex("second.hex", second);
    QProcess a, b;
    StartCli(a,
             {"program", "--chip", "8252", "--code", "first.hex", "--cable", "emulated-ftdi:S1"});
    StartCli(b,
             {"program", "--chip", "8252", "--code", "second.hex", "--cable", "emulated-ftdi:S2"});
    ASSERT_TRUE(a.waitForFinished(60000));
    ASSERT_TRUE(b.waitForFinished(60000));
    EXPECT_EQ(a.exitCode(), 0) << a.readAllStandardError().toStdString();
    EXPECT_EQ(b.exitCode(), 0) << b.readAllStandardError().toStdString();
    EXPECT_EQ(qvt::LoadMemoryImage("code-S1.bin", 8192), first);
    EXPECT_EQ(qvt::LoadMemoryImage("code-S2.bin", 8192), second);

    // S1 held by another process, as a run in progress holds it.
    const int held = ::open("emulated-ftdi-S1.lock", O_RDWR | O_CREAT, 0644);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX | LOCK_NB), 0);
    const Finished refused = RunToEnd(
        {"program", "--chip", "8252", "--code", "second.hex", "--cable", "emulated-ftdi:S1"});
    ::close(held);
    EXPECT_EQ(refused.exitCode, 4);
    EXPECT_NE((refused.out + refused.err).find("belegt"), std::string::npos)
        << refused.out << refused.err;
    EXPECT_EQ(qvt::LoadMemoryImage("code-S1.bin", 8192), first);
}

}  // namespace
