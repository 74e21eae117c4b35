// The parallel cable's port trace for every programming operation on both
// chips, compared by fingerprint with the traces the cable wrote before the
// protocol learned to drive other cables: any access added, dropped, moved or
// changed, and any wait, shows. QVT_PRINT_TRACE_PRINTS=1 prints the current
// fingerprints (only for a change that is meant to alter the cable's timing).
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>

#include "support/case_name.h"
#include "support/files.h"
#include "support/programming_rig.h"

namespace qvt {
namespace {

using testing::ChipRig;
using testing::MakeHex;
using testing::Pattern;

struct Fingerprint {
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a, 64 bits
    long lines = 0;
    bool operator==(const Fingerprint&) const = default;
};

Fingerprint FingerprintOf(const std::string& path) {
    Fingerprint print;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        for (unsigned char c : line + "\n") {
            print.hash ^= c;
            print.hash *= 1099511628211ull;
        }
        ++print.lines;
    }
    return print;
}

struct TraceCase {
    const char* name;
    int chip;
    std::function<void(ChipRig&)> run;
    Fingerprint expected;
};

void Program(ChipRig& rig) {
    rig.programmer.RunProgramming("prog.hex", "table.hex");
}

// Files: 40 program bytes from 0 and 24 from 0x1F0 (two 8253 pages in part,
// a page boundary crossed), 40 data bytes from 0x10.
void WriteFiles() {
    WriteText("prog.hex", MakeHex({{0x0000, Pattern(40, 1)}, {0x01F0, Pattern(24, 2)}}));
    WriteText("table.hex", MakeHex({{0x0010, Pattern(40, 3)}}));
}

class ParallelTrace : public ::testing::TestWithParam<TraceCase> {};

TEST_P(ParallelTrace, IsWhatTheCableAlwaysWrote) {
    const TraceCase& c = GetParam();
    ScopedWorkingDir dir;
    WriteFiles();
    ChipRig rig(c.chip);
    ASSERT_TRUE(rig.io.OpenTrace("trace.txt"));
    c.run(rig);
    rig.io.FlushTrace();
    const Fingerprint actual = FingerprintOf("trace.txt");
    if (std::getenv("QVT_PRINT_TRACE_PRINTS")) {
        std::printf("%s: {0x%016llxull, %ld}", c.name, static_cast<unsigned long long>(actual.hash),
                    actual.lines);
        for (const auto& m : rig.view.messages) std::printf(" [%s]", m.text.c_str());
        std::printf("\n");
    }
    EXPECT_EQ(actual.hash, c.expected.hash) << c.name;
    EXPECT_EQ(actual.lines, c.expected.lines) << c.name;
}

std::vector<TraceCase> Cases() {
    std::vector<TraceCase> cases;
    for (int chip : {8252, 8253}) {
        const bool page = chip == 8253;
        auto add = [&](const char* name, std::function<void(ChipRig&)> run, Fingerprint p8252,
                       Fingerprint p8253) {
            cases.push_back({name, chip, std::move(run), page ? p8253 : p8252});
        };
        add("program_and_data", Program, {0x003c8a86d9d3afa7ull, 25791},
            {0xa4eaff40cf14723aull, 44389});
        add("erase", [](ChipRig& rig) { rig.programmer.EraseWithMessage(); },
            {0x350c5786dfcd6954ull, 493}, {0x92dd5b41d53fb21dull, 488});
        add("lock", [](ChipRig& rig) { rig.programmer.LockChip(); }, {0x8d4b1baaa49293dbull, 246},
            {0x14f316c85d3bb31eull, 327});
        add("absent_chip",
            [](ChipRig& rig) {
                rig.chip.faults().absent = true;
                Program(rig);
            },
            {0xd93ee60479fc7bc7ull, 15878}, {0x566926ea8774addcull, 14193});
        add("late_enable_and_weak_writes",
            [](ChipRig& rig) {
                rig.chip.faults().ignoredEnables = 3;
                rig.chip.faults().weakCodeWrites[0x0005] = 1;
                rig.chip.faults().weakCodeWrites[0x0000] = 1;
                rig.chip.faults().weakDataWrites[0x0010] = 1;
                Program(rig);
            },
            {0x09215829e3b715acull, 63127}, {0x38ca64b2d4fafbe4ull, 50470});
        add("stuck_cell",
            [](ChipRig& rig) {
                rig.chip.faults().stuckCode[0x0003] = 0x5A;
                Program(rig);
            },
            {0x9cd06ca6ab9ba797ull, 25620}, {0xbb23e61f27c43db7ull, 25028});
        add("escape_after_two",
            [](ChipRig& rig) {
                rig.view.escapeAfter = 2;
                Program(rig);
            },
            {0x9091497ef1ec6e23ull, 978}, {0x851e63f3e269f77full, 25028});
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(BothChips, ParallelTrace, ::testing::ValuesIn(Cases()),
                         [](const auto& info) {
                             return info.param.name + std::string("_") +
                                    std::to_string(info.param.chip);
                         });

}  // namespace
}  // namespace qvt
