// The waits of every programming operation, summed from the port trace
// ("D n" lines), against totals worked out from the protocol's rules: any
// wait dropped or shortened (5000 after the erase, 400 after a page) shows.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "support/case_name.h"
#include "support/files.h"
#include "support/programming_rig.h"

namespace qvt {
namespace {

// The emulated chip answers every enable at once, so the clock half-period d
// is 1: a byte sent costs 8 x (d + d) units, a byte read 8 x (d + d + 1).
constexpr long long Sent(long long bytes, long long d = 1) {
    return bytes * 16 * d;
}
constexpr long long Read(long long bytes, long long d = 1) {
    return bytes * 8 * (2 * d + 1);
}
// Enable: 3000 (8252) or 10000 (8253) after RST, AC 53 (53 and a half-period),
// the answer, 1000 or 2000.
constexpr long long kEnable8252 = 3000 + Sent(2) + Read(1) + 1000;
constexpr long long kEnable8253 = 10000 + Sent(3) + 1 + Read(1) + 2000;
// Closing steps: 2000, an 8252 enable, 2000. An 8253 never answers that
// enable: 32 attempts at d = 1..32, each retried after 0x00, 3000, 0x04, 3000.
constexpr long long Closing(int chip) {
    long long enable = kEnable8252;
    if (chip == 8253) {
        enable = 1000;
        for (long long d = 1; d <= 32; ++d) enable += 2 * (3000 + Sent(2, d) + Read(1, d)) + 3000;
    }
    return 2000 + enable + 2000;
}
// Lock: enable, the lock instruction, 500.
constexpr long long kLock8252 = kEnable8252 + Sent(3) + 500;
constexpr long long kLock8253 = kEnable8253 + Sent(4) + 500;
// Erase: 8252 enable, AC 04 00, 2000, 2000, enable, read of 100; 8253 enable,
// AC 80 00 00, 3000, read of 0.
constexpr long long kErase8252 = 2 * kEnable8252 + Sent(3) + 4000 + Sent(2) + Read(1);
constexpr long long kErase8253 = kEnable8253 + Sent(4) + 3000 + Sent(3) + Read(1);
// 8252 byte: the write, 200 (code) or 250 (data), one read-back that matches.
constexpr long long kCodeByte = Sent(3) + 200 + Sent(2) + Read(1);
constexpr long long kDataByte = Sent(3) + 250 + Sent(2) + Read(1);
// 8253: erase and 5000 before the program pages; a page is its write, 400,
// one byte read that matches, its read-page, 50. A data page the file covers
// in part is read first.
constexpr long long kCodeErase = Sent(4) + 5000;
constexpr long long Page(long long size) {
    return Sent(3 + size) + 400 + Sent(3) + Read(1) + Sent(3) + Read(size) + 50;
}
constexpr long long kDataPageRead = Sent(3) + Read(32);

// 40 program bytes at 0: pages 0 and 1 (a 16-byte record from a line start
// marks the next page too). 40 data bytes: page 0 in part, page 1 whole,
// page 2 by the same rule and not at all.
const testing::Contents kProgram = {{0x0000, testing::Pattern(40, 1)}};
const testing::Contents kTable = {{0x0000, testing::Pattern(8, 2)},
                                  {0x0020, testing::Pattern(32, 3)}};

struct TotalCase {
    const char* name;
    int chip;
    std::function<void(Programmer&)> operation;
    long long units;
};

class DelayTotals : public ::testing::TestWithParam<TotalCase> {};

TEST_P(DelayTotals, MatchTheProtocol) {
    const TotalCase& c = GetParam();
    ScopedWorkingDir dir;
    WriteText("prog.hex", testing::MakeHex(kProgram));
    WriteText("table.hex", testing::MakeHex(kTable));
    WriteText("empty.hex", ":00000001FF\r\n");
    testing::ChipRig rig(c.chip);
    ASSERT_TRUE(rig.io.OpenTrace("trace.txt"));
    c.operation(rig.programmer);
    rig.io.FlushTrace();
    long long units = 0;
    std::ifstream trace("trace.txt");
    for (std::string line; std::getline(trace, line);) {
        if (line.rfind("D ", 0) == 0)
            units += std::stoll(line.substr(2));
    }
    EXPECT_EQ(units, c.units);
}

INSTANTIATE_TEST_SUITE_P(
    Operations, DelayTotals,
    ::testing::Values(
        TotalCase{"8252 empty file: enable, lock, closing", 8252,
                  [](Programmer& p) { p.RunProgramming("empty.hex", ""); },
                  kEnable8252 + kLock8252 + Closing(8252)},
        TotalCase{"8253 empty file: enable, erase, lock, closing", 8253,
                  [](Programmer& p) { p.RunProgramming("empty.hex", ""); },
                  kEnable8253 + kCodeErase + kLock8253 + Closing(8253)},
        TotalCase{"8252 program and data, byte mode", 8252,
                  [](Programmer& p) { p.RunProgramming("prog.hex", "table.hex"); },
                  2 * kEnable8252 + 40 * kCodeByte + 40 * kDataByte + kLock8252 + Closing(8252)},
        TotalCase{"8253 program and data, page mode", 8253,
                  [](Programmer& p) { p.RunProgramming("prog.hex", "table.hex"); },
                  2 * kEnable8253 + kCodeErase + 2 * Page(64) + 3 * Page(32) + 2 * kDataPageRead +
                      kLock8253 + Closing(8253)},
        TotalCase{"8252 erase", 8252, [](Programmer& p) { p.EraseChip(); }, kErase8252},
        TotalCase{"8253 erase", 8253, [](Programmer& p) { p.EraseChip(); }, kErase8253},
        TotalCase{"8252 lock", 8252, [](Programmer& p) { p.LockChip(); }, kLock8252},
        TotalCase{"8253 lock", 8253, [](Programmer& p) { p.LockChip(); }, kLock8253}),
    testing::CaseName());

}  // namespace
}  // namespace qvt
