#include "prog/programmer.h"

#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "platform/files/regular_file.h"
#include "support/files.h"
#include "support/programming_rig.h"
#include "support/unkind_files.h"

namespace qvt {
namespace {

using testing::ChipRig;
using testing::Contents;
using testing::ImageOf;
using testing::MakeHex;
using testing::Message;
using testing::Pattern;

const Message kProgramDone{"Programmspeicher fehlerfrei Programmiert", "Meldung"};
const Message kBothDone{"Programm- und Datenspeicher fehlerfrei Programmiert", "Meldung"};
const Message kDataDone{"Datenspeicher fehlerfrei Programmiert", "Meldung"};
const Message kFailed{"Programmieren fehlgeschlagen", "Fehler"};
const Message kLockFailed{"Fehler beim Sichern des Baustein", "Fehler"};

std::vector<std::string> TraceLines(const std::string& name) {
    std::ifstream trace(name);
    std::vector<std::string> lines;
    for (std::string line; std::getline(trace, line);) lines.push_back(line);
    return lines;
}

// Program contents spread over the memory, records crossing page borders.
const Contents kProgram = {
    {0x0000, Pattern(100, 1)}, {0x0433, Pattern(37, 2)}, {0x1FF0, Pattern(16, 3)}};
const Contents kTable = {{0x0000, Pattern(40, 4)}, {0x07F0, Pattern(16, 5)}};

class Programming : public ::testing::TestWithParam<int> {
  protected:
    int chip() const { return GetParam(); }
    std::size_t codeSize() const { return chip() == 8252 ? 8192 : 12288; }

    void Run(const std::string& program, const std::string& data) {
        rig_.programmer.RunProgramming(program, data);
    }
    std::vector<Message>& messages() { return rig_.view.messages; }
    void ExpectIdleAndClosed() {
        EXPECT_EQ(rig_.dataRegister(), 0x08);
        EXPECT_FALSE(rig_.view.visible);
    }

    ScopedWorkingDir dir_;
    ChipRig rig_{GetParam()};
};

TEST_P(Programming, ProgramFileOnly) {
    WriteText("prog.hex", MakeHex(kProgram));
    Run("prog.hex", "");
    EXPECT_EQ(messages(), std::vector<Message>{kProgramDone});
    EXPECT_EQ(rig_.chip.code(), ImageOf(kProgram, codeSize()));
    EXPECT_EQ(rig_.chip.data(), std::vector<std::uint8_t>(2048, 0xFF));
    EXPECT_TRUE(rig_.chip.locked());
    EXPECT_EQ(rig_.chip.statistics().erasures, chip() == 8253 ? 1 : 0);
    EXPECT_EQ(
        rig_.view.progressTexts,
        std::vector<std::string>{"Programmierung des Programmspeichers   mit\nprog.hex  läuft"});
    ExpectIdleAndClosed();
    // The run can be checked from outside: the memory file holds the image.
    EXPECT_EQ(ReadBytes("emulated-code.bin"), ImageOf(kProgram, codeSize()));
}

TEST_P(Programming, ProgramAndDataFile) {
    WriteText("prog.hex", MakeHex(kProgram));
    WriteText("table.hex", MakeHex(kTable));
    Run("prog.hex", "table.hex");
    EXPECT_EQ(messages(), std::vector<Message>{kBothDone});
    EXPECT_EQ(rig_.chip.code(), ImageOf(kProgram, codeSize()));
    EXPECT_EQ(rig_.chip.data(), ImageOf(kTable, 2048));
    EXPECT_TRUE(rig_.chip.locked());
    ASSERT_EQ(rig_.view.progressTexts.size(), 2u);
    EXPECT_EQ(rig_.view.progressTexts[1],
              "Programmierung des Datenspeichers   mit\ntable.hex  läuft");
    ExpectIdleAndClosed();
}

TEST_P(Programming, DataFileOnlyNeitherErasesNorLocks) {
    WriteText("table.hex", MakeHex(kTable));
    Run("", "table.hex");
    EXPECT_EQ(messages(), std::vector<Message>{kDataDone});
    EXPECT_EQ(rig_.chip.data(), ImageOf(kTable, 2048));
    EXPECT_EQ(rig_.chip.code(), std::vector<std::uint8_t>(codeSize(), 0xFF));
    EXPECT_FALSE(rig_.chip.locked());
    EXPECT_EQ(rig_.chip.statistics().erasures, 0);
    EXPECT_EQ(rig_.chip.statistics().lockWrites, 0);
    ExpectIdleAndClosed();
}

TEST_P(Programming, FileWithoutDataRecordsCountsAsSuccess) {
    WriteText("empty.hex", ":00000001FF\r\n");
    Run("empty.hex", "");
    EXPECT_EQ(messages(), std::vector<Message>{kProgramDone});
    EXPECT_EQ(rig_.chip.code(), std::vector<std::uint8_t>(codeSize(), 0xFF));
    EXPECT_EQ(rig_.chip.statistics().pageWrites + rig_.chip.statistics().byteWrites, 0);
    EXPECT_TRUE(rig_.chip.locked());
}

TEST_P(Programming, AbsentChipCostsEveryEnableAttempt) {
    WriteText("prog.hex", MakeHex(kProgram));
    WriteText("table.hex", MakeHex(kTable));
    rig_.chip.faults().absent = true;
    ASSERT_TRUE(rig_.io.OpenTrace("trace.txt"));
    Run("prog.hex", "table.hex");
    rig_.io.FlushTrace();
    EXPECT_EQ(messages(), std::vector<Message>{kFailed});
    // Every failed attempt retries after one reset pulse (0x00); the closing
    // steps add a full 8252 enable.
    const int ownAttempts = chip() == 8252 ? 32 : 19;
    std::ifstream trace("trace.txt");
    int resetPulses = 0;
    for (std::string line; std::getline(trace, line);) resetPulses += line == "W 0378 00";
    EXPECT_EQ(resetPulses, ownAttempts + 32);
    EXPECT_EQ(rig_.chip.code(), std::vector<std::uint8_t>(codeSize(), 0xFF));
    ExpectIdleAndClosed();
}

struct FileCheckCase {
    const char* program;  // "" for none
    const char* data;
    Message message;
};

// Both files are read through before the chip is touched: a missing or broken
// data file must not leave a freshly erased and half-programmed chip behind.
TEST_P(Programming, FirmwareFilesAreCheckedBeforeTheChip) {
    WriteText("prog.hex", MakeHex(kProgram));
    WriteText("table.hex", MakeHex(kTable));
    WriteText("sum.hex", ":0300300002337A1F\r\n:00000001FF\r\n");
    WriteText("unended.hex", testing::HexRecordLine(0, 0, {1, 2}));
    WriteText("bigdata.hex", MakeHex({{0x07F8, Pattern(16, 8)}}));
    const FileCheckCase cases[] = {
        {"nope.hex", "table.hex", {"Programmdatei \"nope.hex\" nicht gefunden", "Fehler"}},
        {"prog.hex", "nope.hex", {"Datendatei \"nope.hex\" nicht gefunden", "Fehler"}},
        {"prog.hex", "sum.hex", {"Prüfsumme der Hex-Datei \"sum.hex\" fehlerhaft", "Fehler"}},
        {"", "unended.hex", {"Hex-Datei \"unended.hex\" fehlerhaft", "Fehler"}},
        // Both chips have 2 KiB of data memory.
        {"prog.hex",
         "bigdata.hex",
         {"Datendatei \"bigdata.hex\" passt nicht in den Datenspeicher des " +
              std::to_string(chip()) + " (2048 Bytes)",
          "Fehler"}},
    };
    ASSERT_TRUE(rig_.io.OpenTrace("trace.txt"));
    for (const FileCheckCase& c : cases) {
        messages().clear();
        Run(c.program, c.data);
        rig_.io.FlushTrace();
        EXPECT_EQ(messages(), std::vector<Message>{c.message}) << c.program << " " << c.data;
        EXPECT_EQ(TraceLines("trace.txt"), std::vector<std::string>{})
            << c.program << " " << c.data;
    }
}

// A file meant for the larger chip, picked while the other chip type is set:
// the 8252's byte instructions would fold its upper bytes onto the lower ones
// and read back their own writes. Memory sizes as the chips' data sheets give
// them: 8252 8 KiB, 8253 12 KiB of program memory.
TEST_P(Programming, ImageMustFitTheChosenChip) {
    struct Case {
        const char* name;
        Contents contents;
        std::size_t fitsUpTo;  // the smallest program memory it fits
    };
    const Case cases[] = {
        {"last byte at 1FFF", {{0x0000, Pattern(16, 1)}, {0x1FF0, Pattern(16, 2)}}, 8192},
        {"one byte at 2000", {{0x0000, Pattern(16, 1)}, {0x2000, Pattern(1, 3)}}, 12288},
        {"record across 2000", {{0x1FF8, Pattern(16, 4)}}, 12288},
        {"a 12 KiB image", {{0x0000, Pattern(12288, 5)}}, 12288},
        {"one byte at 3000", {{0x3000, Pattern(1, 6)}}, 65536},
    };
    for (const Case& c : cases) {
        ScopedWorkingDir own;  // an erased chip of its own
        ChipRig rig(chip());
        ASSERT_TRUE(rig.io.OpenTrace("trace.txt"));
        WriteText("big.hex", MakeHex(c.contents));
        rig.programmer.RunProgramming("big.hex", "");
        rig.io.FlushTrace();
        if (c.fitsUpTo <= codeSize()) {
            EXPECT_EQ(rig.view.messages, std::vector<Message>{kProgramDone}) << c.name;
            EXPECT_EQ(rig.chip.code(), ImageOf(c.contents, codeSize())) << c.name;
            continue;
        }
        const Message refused{"Programmdatei \"big.hex\" passt nicht in den Programmspeicher des " +
                                  std::to_string(chip()) + " (" + std::to_string(codeSize()) +
                                  " Bytes)",
                              "Fehler"};
        EXPECT_EQ(rig.view.messages, std::vector<Message>{refused}) << c.name;
        EXPECT_EQ(TraceLines("trace.txt"), std::vector<std::string>{}) << c.name;
    }
}

// Firmware names that are there but cannot be read: each is told as such at
// once, never as missing, and a pipe never blocks the run.
TEST_P(Programming, UnreadableFirmwareIsToldAtOnce) {
    const struct {
        const char* kind;
        const char* reason;
    } cases[] = {
        {"pipe", "keine gewöhnliche Datei"},
        {"device", "keine gewöhnliche Datei"},
        {"folder", "ist ein Ordner"},
        {"read error", "Ein-/Ausgabefehler"},
    };
    ASSERT_TRUE(rig_.io.OpenTrace("trace.txt"));
    for (const auto& c : cases) {
        const std::string name = std::string(c.kind) + ".hex";
        MakeUnkind(c.kind, name);
        messages().clear();
        EXPECT_TRUE(ReturnsWithoutWaiting(name, [&] { Run(name, ""); })) << c.kind;
        rig_.io.FlushTrace();
        EXPECT_EQ(messages(),
                  (std::vector<Message>{
                      {"Programmdatei \"" + name + "\" kann nicht gelesen werden: " + c.reason,
                       "Fehler"}}))
            << c.kind;
        EXPECT_EQ(TraceLines("trace.txt"), std::vector<std::string>{}) << c.kind;
    }

    // No read permission. Root reads everything; the file-system identity of
    // another user (which holds for this thread alone) is refused like a user.
    WriteText("locked.hex", MakeHex(kProgram));
    ASSERT_EQ(chmod("locked.hex", 0), 0);
    const bool root = geteuid() == 0;
    if (root)
        setfsuid(65534);
    messages().clear();
    Run("locked.hex", "");
    if (root)
        setfsuid(0);
    EXPECT_EQ(messages(), (std::vector<Message>{{"Programmdatei \"locked.hex\" kann nicht gelesen "
                                                 "werden: Zugriff verweigert",
                                                 "Fehler"}}));
}

TEST_P(Programming, FailedLockIsReportedAsError) {
    WriteText("prog.hex", MakeHex(kProgram));
    auto unplug = [this] { rig_.chip.faults().absent = true; };
    rig_.view.onHide = unplug;  // byte mode: after the last byte
    rig_.view.onPosition = [this, unplug](int position) {
        if (chip() == 8253 && position == rig_.view.maximum)
            unplug();  // after the last page
    };
    Run("prog.hex", "");
    EXPECT_EQ(messages(), std::vector<Message>{kLockFailed});
    EXPECT_EQ(rig_.chip.code(), ImageOf(kProgram, codeSize()));
    EXPECT_FALSE(rig_.chip.locked());
}

struct BrokenFile {
    const char* name;
    std::string text;
    const char* message;
};

TEST_P(Programming, BrokenFilesAreToldAndNeverReachTheChip) {
    const std::string good = testing::HexRecordLine(0x0000, 0, Pattern(16, 6));
    const char* format = "Hex-Datei \"broken.hex\" fehlerhaft";
    const char* checksum = "Prüfsumme der Hex-Datei \"broken.hex\" fehlerhaft";
    const std::vector<BrokenFile> files = {
        {"bad checksum", good + ":0300300002337A1F\r\n:00000001FF\r\n", checksum},
        {"missing end record", good, format},
        {"space before colon", good + " :00000001FF\r\n", format},
        {"non-hex character", good + ":0300300002x37A1E\r\n:00000001FF\r\n", format},
        {"non-zero linear base", ":020000040001F9\r\n" + good + ":00000001FF\r\n", format},
        // ":04001000C0FFEE003F" with its length byte damaged: not an end record.
        {"length damaged to zero",
         good + ":00001000C0FFEE003F\r\n" + testing::HexRecordLine(0x0014, 0, Pattern(16, 7)) +
             ":00000001FF\r\n",
         checksum},
    };
    for (const BrokenFile& file : files) {
        messages().clear();
        WriteText("broken.hex", file.text);
        Run("broken.hex", "");
        EXPECT_EQ(messages(), (std::vector<Message>{{file.message, "Fehler"}})) << file.name;
    }
    EXPECT_EQ(rig_.chip.statistics().dataRegisterWrites, 0);
}

TEST_P(Programming, ProgressFollowsTheRun) {
    WriteText("prog.hex", MakeHex(kProgram));
    int positions = 0;
    int last = -1;
    bool ascending = true;
    rig_.view.onPosition = [&](int position) {
        ascending = ascending && position >= last;
        last = position;
        ++positions;
    };
    Run("prog.hex", "");
    EXPECT_TRUE(ascending);
    if (chip() == 8252) {
        EXPECT_EQ(rig_.view.maximum, static_cast<int>(std::filesystem::file_size("prog.hex")));
        EXPECT_EQ(positions, 100 + 37 + 16);  // one step per byte
    } else {
        EXPECT_EQ(rig_.view.maximum, rig_.chip.statistics().pageWrites);
        EXPECT_EQ(last, rig_.view.maximum);
    }
}

INSTANTIATE_TEST_SUITE_P(BothChips, Programming, ::testing::Values(8252, 8253));

// ---- Chip 8252: byte mode ---------------------------------------------------

class ByteMode : public ::testing::Test {
  protected:
    ScopedWorkingDir dir_;
    ChipRig rig_{8252};
};

TEST_F(ByteMode, ByteThatNeverReadsBackEndsTheRun) {
    WriteText("prog.hex", MakeHex(kProgram));
    const std::uint16_t bad = 0x0433 + 5;
    rig_.chip.faults().stuckCode[bad] = static_cast<std::uint8_t>(~Pattern(37, 2)[5]);
    rig_.programmer.RunProgramming("prog.hex", "");
    EXPECT_EQ(rig_.view.messages, std::vector<Message>{kFailed});
    // Every byte before it once, the bad one twice, nothing after it.
    EXPECT_EQ(rig_.chip.statistics().byteWrites, 100 + 5 + 2);
    EXPECT_EQ(rig_.chip.code()[bad + 1], 0xFF);
    EXPECT_EQ(rig_.chip.code()[0x1FF0], 0xFF);
    EXPECT_FALSE(rig_.chip.locked());
}

TEST_F(ByteMode, ByteThatFailsOnceIsWrittenAgain) {
    WriteText("prog.hex", MakeHex(kProgram));
    rig_.chip.faults().weakCodeWrites[0x0010] = 1;
    rig_.programmer.RunProgramming("prog.hex", "");
    EXPECT_EQ(rig_.view.messages, std::vector<Message>{kProgramDone});
    EXPECT_EQ(rig_.chip.statistics().byteWrites, 100 + 37 + 16 + 1);
    EXPECT_EQ(rig_.chip.code(), ImageOf(kProgram, 8192));
}

TEST_F(ByteMode, EscapeStopsAfterTheCurrentByte) {
    WriteText("prog.hex", MakeHex(kProgram));
    WriteText("table.hex", MakeHex(kTable));
    rig_.view.escapeAfter = 5;
    rig_.programmer.RunProgramming("prog.hex", "table.hex");
    EXPECT_EQ(rig_.view.messages, std::vector<Message>{kFailed});
    EXPECT_EQ(rig_.chip.statistics().byteWrites, 6);
    const std::vector<std::uint8_t> first = Pattern(100, 1);
    EXPECT_TRUE(std::equal(first.begin(), first.begin() + 6, rig_.chip.code().begin()));
    EXPECT_EQ(rig_.chip.code()[6], 0xFF);
    EXPECT_EQ(rig_.chip.data()[0], 0xFF);  // data memory skipped
    EXPECT_FALSE(rig_.chip.locked());
    EXPECT_EQ(rig_.dataRegister(), 0x08);
}

// The chip's byte instructions would fold 0x2100 onto 0x0100; such a file
// is refused, whether it comes through the run or straight to the byte mode.
TEST_F(ByteMode, AddressesAboveTheMemoryNeverFoldOntoIt) {
    WriteText("high.hex", MakeHex({{0x0000, {0x56}}, {0x2100, {0x12, 0x34}}}));
    rig_.programmer.RunProgramming("high.hex", "");
    EXPECT_EQ(rig_.view.messages,
              (std::vector<Message>{{"Programmdatei \"high.hex\" passt nicht in den "
                                     "Programmspeicher des 8252 (8192 Bytes)",
                                     "Fehler"}}));
    const UniqueFile file(std::fopen("high.hex", "rb"));
    EXPECT_EQ(rig_.programmer.ProgramBytes8252(ChipMemory::kProgram, file.get(), "high.hex"),
              ProgStatus::kFormatError);
    EXPECT_EQ(rig_.chip.code()[0x0100], 0xFF);
    EXPECT_EQ(rig_.chip.code()[0x0101], 0xFF);
}

// ---- Chip 8253: page mode ---------------------------------------------------

struct PageFailureCase {
    bool dataMemory;
    int failures;  // writes of one page that do not verify
    bool succeeds;
};

class PageMode : public ::testing::TestWithParam<PageFailureCase> {
  protected:
    ScopedWorkingDir dir_;
    ChipRig rig_{8253};
};

TEST_P(PageMode, PageIsWrittenUpToThreeTimes) {
    const PageFailureCase& c = GetParam();
    WriteText("prog.hex", MakeHex(kProgram));
    WriteText("table.hex", MakeHex(kTable));
    auto& weak =
        c.dataMemory ? rig_.chip.faults().weakDataWrites : rig_.chip.faults().weakCodeWrites;
    weak[c.dataMemory ? 0x0020 : 0x0440] = c.failures;
    rig_.programmer.RunProgramming("prog.hex", "table.hex");
    if (c.succeeds) {
        EXPECT_EQ(rig_.view.messages, std::vector<Message>{kBothDone});
        EXPECT_EQ(rig_.chip.code(), ImageOf(kProgram, 12288));
        EXPECT_EQ(rig_.chip.data(), ImageOf(kTable, 2048));
        // Program pages 0-2, 16-18, 127 and 128; data pages 0, 1 and 63.
        EXPECT_EQ(rig_.chip.statistics().pageWrites, 8 + 3 + c.failures);
    } else {
        EXPECT_EQ(rig_.view.messages, std::vector<Message>{kFailed});
        EXPECT_FALSE(rig_.chip.locked());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Failures, PageMode,
    ::testing::Values(PageFailureCase{false, 0, true}, PageFailureCase{false, 1, true},
                      PageFailureCase{false, 2, true}, PageFailureCase{false, 3, false},
                      PageFailureCase{true, 1, true}, PageFailureCase{true, 2, true},
                      PageFailureCase{true, 3, false}));

TEST(PageModeMarking, RecordFromALineStartAlsoWritesTheNextPage) {
    ScopedWorkingDir dir;
    ChipRig rig(8253);
    WriteText("one.hex", MakeHex({{0x0000, Pattern(16, 7)}}));
    rig.programmer.RunProgramming("one.hex", "");
    EXPECT_EQ(rig.view.messages, std::vector<Message>{kProgramDone});
    EXPECT_EQ(rig.chip.statistics().pageWrites, 2);
}

TEST(PageModeBounds, DataBeyondTheImageIsAFormatError) {
    ScopedWorkingDir dir;
    ChipRig rig(8253);
    WriteText("big.hex", MakeHex({{0x2FF8, Pattern(16, 8)}}));
    rig.programmer.RunProgramming("big.hex", "");
    EXPECT_EQ(rig.view.messages,
              (std::vector<Message>{{"Programmdatei \"big.hex\" passt nicht in den "
                                     "Programmspeicher des 8253 (12288 Bytes)",
                                     "Fehler"}}));
    EXPECT_EQ(rig.chip.statistics().dataRegisterWrites, 0);
    // Straight to the page mode, the image's edge holds as well.
    const UniqueFile file(std::fopen("big.hex", "rb"));
    EXPECT_EQ(rig.programmer.ProgramPages8253(ChipMemory::kProgram, file.get(), "big.hex"),
              ProgStatus::kFormatError);
}

// The data memory is not erased: cells of a page the file touches only partly
// keep what the device stored there. The page mode rewrites whole pages, the
// byte mode only the file's bytes.
TEST(DataMemory, KeepsTheChipsOtherBytesInPagesTheFileTouches) {
    const Contents table = {{0x0104, Pattern(8, 10)}, {0x0130, Pattern(16, 11)}};
    for (const int chipType : {8252, 8253}) {
        ScopedWorkingDir dir;
        const std::vector<std::uint8_t> stored = Pattern(2048, 9);  // never 0xFF
        WriteBytes("emulated-data.bin", stored);
        ChipRig rig(chipType);
        WriteText("table.hex", MakeHex(table));
        rig.programmer.RunProgramming("", "table.hex");
        EXPECT_EQ(rig.view.messages, std::vector<Message>{kDataDone}) << chipType;
        std::vector<std::uint8_t> expected = stored;
        for (const auto& [address, bytes] : table) {
            std::copy(bytes.begin(), bytes.end(), expected.begin() + address);
        }
        EXPECT_EQ(rig.chip.data(), expected) << chipType;
    }
}

// ESC while page k is written: page k is finished, nothing after it is
// written, and the run ends with the closing steps as the byte mode does.
TEST(PageModeEscape, StopsBetweenPagesAndReleasesTheChip) {
    ScopedWorkingDir dir;
    ChipRig rig(8253);
    WriteText("prog.hex", MakeHex(kProgram));
    WriteText("table.hex", MakeHex(kTable));
    rig.view.escapeAfter = 2;  // pages 0, 1 and 2 of the 8 the file uses
    ASSERT_TRUE(rig.io.OpenTrace("trace.txt"));
    rig.programmer.RunProgramming("prog.hex", "table.hex");
    rig.io.FlushTrace();
    EXPECT_EQ(rig.view.messages, std::vector<Message>{kFailed});
    EXPECT_EQ(rig.chip.statistics().pageWrites, 3);
    EXPECT_EQ(rig.chip.code()[0x0433], 0xFF);
    EXPECT_EQ(rig.chip.data()[0], 0xFF);
    EXPECT_FALSE(rig.chip.locked());
    // Closing steps: idle, wait, an 8252 enable (unanswered by the 8253: all
    // its 32 attempts), wait, idle.
    const std::vector<std::string> trace = TraceLines("trace.txt");
    const std::vector<std::string> idleThenWait = {"W 0378 08", "D 2000"};
    const auto closing =
        std::search(trace.begin(), trace.end(), idleThenWait.begin(), idleThenWait.end());
    ASSERT_NE(closing, trace.end());
    EXPECT_EQ(std::count(closing, trace.end(), "W 0378 00"), 32);
    EXPECT_EQ(std::vector<std::string>(trace.end() - 2, trace.end()),
              (std::vector<std::string>{"D 2000", "W 0378 08"}));
}

// ---- Erase ------------------------------------------------------------------

struct EraseCase {
    int chip;
    int stuckAddress;  // a cell that keeps 0x00 through the erase, -1: none
    bool absent;
    bool erased;
};

class Erase : public ::testing::TestWithParam<EraseCase> {};

// The 8252 checks address 100 after the erase, the 8253 address 0.
TEST_P(Erase, ChecksItsAddressAndReports) {
    const EraseCase& c = GetParam();
    ScopedWorkingDir dir;
    ChipRig rig(c.chip);
    WriteText("prog.hex", MakeHex(kProgram));
    rig.programmer.RunProgramming("prog.hex", "");
    ASSERT_TRUE(rig.chip.locked());
    rig.view.messages.clear();
    if (c.stuckAddress >= 0)
        rig.chip.faults().stuckCode[c.stuckAddress] = 0x00;
    rig.chip.faults().absent = c.absent;

    rig.programmer.EraseWithMessage();
    if (c.erased) {
        EXPECT_EQ(rig.view.messages,
                  (std::vector<Message>{{"Programm- und Datenspeicher gelöscht", "Meldung"}}));
        EXPECT_FALSE(rig.chip.locked());
    } else {
        EXPECT_EQ(rig.view.messages, (std::vector<Message>{{"Löschen nicht möglich", "Fehler"}}));
    }
    if (!c.absent) {
        EXPECT_EQ(rig.chip.code()[0x0000], c.stuckAddress == 0 ? 0x00 : 0xFF);
    }
    EXPECT_EQ(rig.dataRegister(), 0x08);  // never left held in reset
}

INSTANTIATE_TEST_SUITE_P(
    BothChips, Erase,
    ::testing::Values(EraseCase{8252, -1, false, true}, EraseCase{8252, 100, false, false},
                      EraseCase{8252, 0, false, true}, EraseCase{8253, -1, false, true},
                      EraseCase{8253, 0, false, false}, EraseCase{8253, 100, false, true},
                      EraseCase{8252, -1, true, false}, EraseCase{8253, -1, true, false}));

}  // namespace
}  // namespace qvt
