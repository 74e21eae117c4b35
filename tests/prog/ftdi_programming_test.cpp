// Programming through an FTDI adapter in synchronous bit-bang mode, with the
// emulated adapter and chip behind the real cable: the chip ends equal to
// the files on both chip types and both adapter models, a chip fault or a
// pulled adapter ends in a failure, and the FIFO is never overrun.
#include <gtest/gtest.h>

#include "emulation/emulated_ftdi_adapter.h"
#include "prog/ftdi_cable.h"
#include "support/files.h"
#include "support/programming_rig.h"

namespace qvt {
namespace {

using testing::Contents;
using testing::ImageOf;
using testing::kBase;
using testing::MakeHex;
using testing::Pattern;
using testing::RecordingView;

// Program bytes over several records and 8253 pages, data in part of a page.
const Contents kProgram = {{0x0000, Pattern(300, 7)}, {0x0433, Pattern(37, 8)}};
const Contents kTable = {{0x0010, Pattern(40, 9)}};
const PinMap kFt232r{{2, false}, {0, false}, {4, false}, {1, false}};
const PinMap kFt232h{{1, false}, {0, false}, {3, false}, {2, false}};

struct FtdiRig {
    FtdiRig(int chipNumber, FtdiModel model, const PinMap& pins)
        : chip(*ChipFromNumber(chipNumber), kBase, EmulatedChipFiles{}, &clock),
          adapter(std::move(model), pins, chip, kBase, clock),
          cable(
              adapter, pins, clock, [this](std::int64_t ns) { adapter.SleepHost(ns); }, nullptr),
          link(cable),
          programmer(link, chip.chip(), view) {}

    VirtualClock clock;
    EmulatedIspChip chip;
    EmulatedFtdiAdapter adapter;
    FtdiCable cable;
    IspLink link;
    RecordingView view;
    Programmer programmer;
};

struct Case {
    const char* name;
    int chip;
    bool highSpeed;
    int stuckCodeAt;        // a cell that never takes its value; -1: none
    long long pulledAfter;  // samples before the adapter is pulled; -1: never
    const char* message;
};

class FtdiProgramming : public ::testing::TestWithParam<Case> {};

TEST_P(FtdiProgramming, LeavesTheChipAsTheFilesSayOrFails) {
    const Case& c = GetParam();
    ScopedWorkingDir dir;
    WriteText("prog.hex", MakeHex(kProgram));
    WriteText("table.hex", MakeHex(kTable));
    FtdiRig rig(c.chip, c.highSpeed ? Ft232hModel() : Ft232rModel(),
                c.highSpeed ? kFt232h : kFt232r);
    if (c.stuckCodeAt >= 0)
        rig.chip.faults().stuckCode[static_cast<std::uint16_t>(c.stuckCodeAt)] = 0x00;
    rig.adapter.faults().pulledAfterBytes = c.pulledAfter;

    rig.programmer.RunProgramming("prog.hex", "table.hex");

    ASSERT_EQ(rig.view.messages.size(), 1u) << c.name;
    EXPECT_EQ(rig.view.messages[0].text, c.message) << c.name;
    if (std::string(c.message).find("fehlerfrei") != std::string::npos) {
        const std::size_t codeSize = c.chip == 8252 ? 8192 : 12288;
        EXPECT_EQ(rig.chip.code(), ImageOf(kProgram, codeSize)) << c.name;
        EXPECT_EQ(rig.chip.data(), ImageOf(kTable, 2048)) << c.name;
        EXPECT_TRUE(rig.chip.locked()) << c.name;
    } else {
        EXPECT_FALSE(rig.chip.locked()) << c.name;
    }
    EXPECT_LE(rig.adapter.mostInFlight(), rig.adapter.fifoSize()) << c.name;
}

constexpr const char* kDone = "Programm- und Datenspeicher fehlerfrei Programmiert";
constexpr const char* kFailed = "Programmieren fehlgeschlagen";

INSTANTIATE_TEST_SUITE_P(
    Cases, FtdiProgramming,
    ::testing::Values(Case{"ft232r_8252", 8252, false, -1, -1, kDone},
                      Case{"ft232h_8252", 8252, true, -1, -1, kDone},
                      Case{"ft232r_8253", 8253, false, -1, -1, kDone},
                      Case{"ft232h_8253", 8253, true, -1, -1, kDone},
                      Case{"stuck_8252", 8252, true, 0x0435, -1, kFailed},
                      Case{"stuck_8253", 8253, false, 0x0435, -1, kFailed},
                      Case{"pulled_8252", 8252, true, -1, 20'000,
                           "Programmieren fehlgeschlagen: USB-Adapter getrennt"},
                      Case{"pulled_8253", 8253, false, -1, 20'000,
                           "Programmieren fehlgeschlagen: USB-Adapter getrennt"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qvt
