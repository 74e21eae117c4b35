// Programming through a cable that sends in batches (a USB adapter): the
// planned runs must leave the chip as the immediate cable does, fall back to
// polling where a write did not read back within its wait, cost one batch per
// page or record rather than one per byte, and never report a chip as
// programmed or erased once the cable has failed.
#include <gtest/gtest.h>

#include "support/files.h"
#include "support/programming_rig.h"
#include "support/queued_cable.h"

namespace qvt {
namespace {

using testing::ChipRig;
using testing::Contents;
using testing::ImageOf;
using testing::MakeHex;
using testing::Message;
using testing::Pattern;
using testing::QueuedCable;

// Program bytes over several records and 8253 pages, data in part of a page.
const Contents kProgram = {{0x0000, Pattern(100, 1)}, {0x0433, Pattern(37, 2)}};
const Contents kTable = {{0x0010, Pattern(40, 4)}};

struct BatchCase {
    const char* name;
    int chip;
    int weakCodeAt;   // a write there stores a wrong value once; -1: none
    int stuckCodeAt;  // a cell that never takes its value; -1: none
    int pullAfter;    // the cable fails after so many batches; -1: never
    const char* message;
};

class BatchedProgramming : public ::testing::TestWithParam<BatchCase> {};

// The batches of a run whose files hold no data record: enables, erase, lock
// and closing steps, each answer needed before the next step.
int BatchesAroundTheData(int chip) {
    ScopedWorkingDir dir;
    WriteText("none.hex", ":00000001FF\r\n");
    ChipRig rig(chip);
    QueuedCable usb(rig.cable);
    IspLink link(usb);
    Programmer(link, rig.chip.chip(), rig.view).RunProgramming("none.hex", "none.hex");
    return usb.flushes();
}

TEST_P(BatchedProgramming, EndsAsTheImmediateCableWould) {
    const BatchCase& c = GetParam();
    ScopedWorkingDir dir;
    WriteText("prog.hex", MakeHex(kProgram));
    WriteText("table.hex", MakeHex(kTable));
    ChipRig rig(c.chip);
    QueuedCable usb(rig.cable);
    usb.failAfterFlushes = c.pullAfter;
    IspLink link(usb);
    Programmer programmer(link, rig.chip.chip(), rig.view);
    if (c.weakCodeAt >= 0)
        rig.chip.faults().weakCodeWrites[static_cast<std::uint16_t>(c.weakCodeAt)] = 1;
    if (c.stuckCodeAt >= 0)
        rig.chip.faults().stuckCode[static_cast<std::uint16_t>(c.stuckCodeAt)] = 0x00;

    programmer.RunProgramming("prog.hex", "table.hex");

    ASSERT_EQ(rig.view.messages.size(), 1u) << c.name;
    EXPECT_EQ(rig.view.messages[0].text, c.message) << c.name;
    const bool done = std::string(c.message).find("fehlerfrei") != std::string::npos;
    if (done) {
        const std::size_t codeSize = c.chip == 8252 ? 8192 : 12288;
        EXPECT_EQ(rig.chip.code(), ImageOf(kProgram, codeSize)) << c.name;
        EXPECT_EQ(rig.chip.data(), ImageOf(kTable, 2048)) << c.name;
        EXPECT_TRUE(rig.chip.locked()) << c.name;
        // One batch per record on the 8252 (7 + 3 program, 3 data), about one
        // per page written on the 8253 (the two data pages the file covers in
        // part are read first), not one per byte read; a fallback costs one
        // batch per poll.
        const int batches = usb.flushes() - BatchesAroundTheData(c.chip);
        const int planned = c.chip == 8252 ? 13 : rig.chip.statistics().pageWrites;
        if (c.weakCodeAt >= 0)
            EXPECT_GT(batches, planned) << c.name;
        else if (c.chip == 8252)
            EXPECT_EQ(batches, planned) << c.name;
        else
            EXPECT_LE(batches, planned + 3) << c.name;
    } else {
        EXPECT_FALSE(rig.chip.locked()) << c.name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BatchedProgramming,
    ::testing::Values(BatchCase{"plain_8252", 8252, -1, -1, -1,
                                "Programm- und Datenspeicher fehlerfrei Programmiert"},
                      BatchCase{"plain_8253", 8253, -1, -1, -1,
                                "Programm- und Datenspeicher fehlerfrei Programmiert"},
                      // The read-back does not match: the byte is polled and written again.
                      BatchCase{"weak_byte_8252", 8252, 0x0011, -1, -1,
                                "Programm- und Datenspeicher fehlerfrei Programmiert"},
                      BatchCase{"weak_page_8253", 8253, 0x0040, -1, -1,
                                "Programm- und Datenspeicher fehlerfrei Programmiert"},
                      BatchCase{"stuck_8252", 8252, -1, 0x0435, -1, "Programmieren fehlgeschlagen"},
                      BatchCase{"stuck_8253", 8253, -1, 0x0435, -1, "Programmieren fehlgeschlagen"},
                      // Pulled in the middle of the program memory: MISO reads high after
                      // that, which must not pass for written 0xFF cells or an answer.
                      BatchCase{"pulled_8252", 8252, -1, -1, 8,
                                "Programmieren fehlgeschlagen: USB-Adapter getrennt"},
                      BatchCase{"pulled_8253", 8253, -1, -1, 3,
                                "Programmieren fehlgeschlagen: USB-Adapter getrennt"}),
    [](const auto& info) { return std::string(info.param.name); });

// Erasing: a pulled cable reads the check cell as 0xFF, like an erased one.
TEST(BatchedErase, PulledCableIsNeverReportedErased) {
    for (int chip : {8252, 8253}) {
        ScopedWorkingDir dir;
        ChipRig rig(chip);
        QueuedCable usb(rig.cable);
        usb.failAfterFlushes = 1;
        IspLink link(usb);
        Programmer(link, rig.chip.chip(), rig.view).EraseWithMessage();
        EXPECT_EQ(rig.view.messages,
                  (std::vector<Message>{{"Löschen nicht möglich: USB-Adapter getrennt", "Fehler"}}))
            << chip;
    }
}

}  // namespace
}  // namespace qvt
