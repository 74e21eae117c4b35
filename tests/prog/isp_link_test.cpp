#include "prog/isp_link.h"
#include "prog/parallel_cable.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "platform/monotonic_counter.h"
#include "platform/parallel_port.h"
#include "prog/isp_instructions.h"
#include "support/case_name.h"
#include "support/files.h"
#include "support/programming_rig.h"

namespace qvt {
namespace {

using testing::FakeCounter;
using testing::kBase;

// A cable without chip that remembers every access; MISO comes from a script.
class RecordingPort : public ParallelPort {
  public:
    void Write(std::uint16_t address, std::uint8_t value) override {
        writes.push_back({address, value});
        if (address == kBase)
            data = value;
    }
    std::uint8_t Read(std::uint16_t address) override {
        if (address == kBase)
            return data;
        ++statusReads;
        return miso && miso() ? 0x40 | 0x07 : 0x07;  // other status bits must not matter
    }

    // Bytes shifted out, sampled at every rising SCK edge while RST is high.
    std::vector<std::uint8_t> SentBytes() const {
        std::vector<std::uint8_t> bytes;
        std::uint8_t previous = 0;
        int bits = 0;
        std::uint8_t current = 0;
        for (const auto& [address, value] : writes) {
            if (address != kBase)
                continue;
            if ((value & kIspRst) && (value & kIspSck) && !(previous & kIspSck)) {
                current = static_cast<std::uint8_t>((current << 1) | (value & kIspMosi));
                if (++bits == 8) {
                    bytes.push_back(current);
                    bits = 0;
                }
            }
            previous = value;
        }
        return bytes;
    }

    std::vector<std::pair<std::uint16_t, std::uint8_t>> writes;
    std::uint8_t data = 0;
    int statusReads = 0;
    std::function<bool()> miso;
};

struct LinkRig {
    FakeCounter counter;
    RecordingPort port;
    PortIo io{&port};
    ParallelCable cable{io, counter, kBase};
    IspLink link{cable};
};

TEST(IspLink, SendByteClocksEachBitMostSignificantFirst) {
    LinkRig rig;
    rig.link.sckDelay = 3;
    const std::int64_t before = rig.counter.peek();
    rig.link.IspSendByte(0xA5);
    std::vector<std::uint8_t> expected;
    for (int bit = 7; bit >= 0; --bit) {
        const std::uint8_t v = ((0xA5 >> bit) & 1) | 0x04;
        expected.insert(expected.end(), {v, static_cast<std::uint8_t>(v | 0x02), v});
    }
    std::vector<std::uint8_t> written;
    for (const auto& [address, value] : rig.port.writes) {
        EXPECT_EQ(address, kBase);
        written.push_back(value);
    }
    EXPECT_EQ(written, expected);
    EXPECT_EQ(rig.link.waitedUnits(), 16 * 3);
    // Two half-periods of 3 units per bit actually passed on the counter.
    EXPECT_GE(rig.counter.peek() - before, 16 * 3 * 10);
}

TEST(IspLink, ReadByteSamplesStatusBit6AfterEachRisingEdge) {
    LinkRig rig;
    rig.link.IspSendByte(0x53);  // leaves MOSI at 1 while the answer comes in
    rig.port.writes.clear();
    const std::uint8_t answer = 0xC6;
    int bit = 7;
    rig.port.miso = [&] { return (answer >> bit--) & 1; };
    rig.link.sckDelay = 2;
    const long long before = rig.link.waitedUnits();
    EXPECT_EQ(rig.link.IspReadByte(), answer);
    ASSERT_EQ(rig.port.writes.size(), 16u);
    for (std::size_t i = 0; i < 16; i += 2) {
        EXPECT_EQ(rig.port.writes[i].second, 0x07) << i;      // SCK high, RST and MOSI kept
        EXPECT_EQ(rig.port.writes[i + 1].second, 0x05) << i;  // SCK low
    }
    EXPECT_EQ(rig.port.statusReads, 8);
    EXPECT_EQ(rig.link.waitedUnits() - before, 8 * (2 + 3));
}

struct DelayCase {
    std::int64_t frequency;
    int units;
    std::int64_t counts;  // what the wait must cover
};

class IspDelayCounts : public ::testing::TestWithParam<DelayCase> {};

// 100,000,000 * n / f counts: the frequency divides, so at 10 MHz one unit is
// 10 counts (1 us) and at 20 MHz only 5.
TEST_P(IspDelayCounts, WaitsTheComputedCounts) {
    const DelayCase& c = GetParam();
    FakeCounter counter(c.frequency, 1);
    PortIo io;
    ParallelCable cable(io, counter, kBase);
    IspLink link(cable);
    const std::int64_t before = counter.peek();
    link.IspDelay(c.units);
    const std::int64_t waited = counter.peek() - before;
    EXPECT_GE(waited, c.counts + 1);
    EXPECT_LE(waited, c.counts + 3);
}

INSTANTIATE_TEST_SUITE_P(Frequencies, IspDelayCounts,
                         ::testing::Values(DelayCase{10'000'000, 1, 10},
                                           DelayCase{10'000'000, 3000, 30000},
                                           DelayCase{20'000'000, 100, 500},
                                           DelayCase{3'579'545, 7, 195},
                                           DelayCase{10'000'000, 0, 0}));

class IspDelayOnTheRealCounter : public ::testing::TestWithParam<int> {};

// With the 10 MHz counter n units last at least n microseconds of the system
// clock. The upper bound leaves room for a busy machine that takes the core
// away, yet catches a counter of ten times the wrong scale at 100,000 units.
TEST_P(IspDelayOnTheRealCounter, WaitsAtLeastNMicroseconds) {
    const int units = GetParam();
    MonotonicCounter counter;
    PortIo io;
    ParallelCable cable(io, counter, kBase);
    IspLink link(cable);
    const auto start = std::chrono::steady_clock::now();
    link.IspDelay(units);
    const std::int64_t waitedNs = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                      std::chrono::steady_clock::now() - start)
                                      .count();
    // The wait starts from a counter reading cut to its 100 ns tick, so it may
    // be up to one tick shorter than n microseconds.
    EXPECT_GE(waitedNs, std::int64_t{units} * 1000 - 100);
    EXPECT_LT(waitedNs, (2 * std::int64_t{units} + 500'000) * 1000);
}

INSTANTIATE_TEST_SUITE_P(Units, IspDelayOnTheRealCounter, ::testing::Values(1, 50, 3000, 100'000));

TEST(IspLink, WithoutCounterEveryWaitIsSkippedWithANotice) {
    FakeCounter counter(0);
    PortIo io;
    ParallelCable cable(io, counter, kBase);
    IspLink link(cable);
    ::testing::internal::CaptureStdout();
    const std::int64_t before = counter.peek();
    link.IspDelay(5000);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              "QueryPerformance wird nicht unterstützt\n");
    EXPECT_EQ(counter.peek(), before);
}

struct EncodingCase {
    const char* name;
    std::function<void(IspLink&)> instruction;
    std::vector<std::uint8_t> sent;
};

class InstructionBytes : public ::testing::TestWithParam<EncodingCase> {};

TEST_P(InstructionBytes, ShiftsOutTheInstruction) {
    LinkRig rig;
    GetParam().instruction(rig.link);
    std::vector<std::uint8_t> sent = rig.port.SentBytes();
    sent.resize(std::min(sent.size(), GetParam().sent.size()));  // drop read slots and polls
    EXPECT_EQ(sent, GetParam().sent) << GetParam().name;
}

std::vector<std::uint8_t> Page(std::vector<std::uint8_t> head, std::size_t n, std::uint8_t fill) {
    head.insert(head.end(), n, fill);
    return head;
}

const std::uint8_t kPageBytes[64] = {
    0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11,
    0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11,
    0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11,
    0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11};

INSTANTIATE_TEST_SUITE_P(
    BothChips, InstructionBytes,
    ::testing::Values(
        // 8252: address bits 12-8 (program) or 10-8 (data) above the operation.
        EncodingCase{"read code", [](IspLink& l) { ReadCode8252(l, 0x1ABC); }, {0xD1, 0xBC}},
        EncodingCase{
            "read code folds bit 13", [](IspLink& l) { ReadCode8252(l, 0x2064); }, {0x01, 0x64}},
        EncodingCase{"read data", [](IspLink& l) { ReadData8252(l, 0x07BC); }, {0x3D, 0xBC}},
        EncodingCase{
            "read data drops bit 11", [](IspLink& l) { ReadData8252(l, 0x0FBC); }, {0x3D, 0xBC}},
        EncodingCase{
            "write code", [](IspLink& l) { WriteCode8252(l, 0x0123, 0x55); }, {0x0A, 0x23, 0x55}},
        EncodingCase{
            "write data", [](IspLink& l) { WriteData8252(l, 0x0345, 0x66); }, {0x1E, 0x45, 0x66}},
        EncodingCase{"erase 8252", [](IspLink& l) { ChipErase8252(l); }, {0xAC, 0x04, 0x00}},
        EncodingCase{"lock 8252", [](IspLink& l) { WriteLockBits8252(l); }, {0xAC, 0x3F, 0x55}},
        EncodingCase{"enable 8252", [](IspLink& l) { EnableProgramming8252(l); }, {0xAC, 0x53}},
        EncodingCase{
            "enable 8253", [](IspLink& l) { EnableProgramming8253(l); }, {0xAC, 0x53, 0x53}},
        EncodingCase{
            "read code 8253", [](IspLink& l) { ReadCode8253(l, 0x6ABC); }, {0x20, 0x2A, 0xBC}},
        EncodingCase{
            "read data 8253", [](IspLink& l) { ReadData8253(l, 0x0FFF); }, {0xA0, 0x07, 0xFF}},
        EncodingCase{"erase 8253", [](IspLink& l) { ChipErase8253(l); }, {0xAC, 0x80, 0x00, 0x00}},
        EncodingCase{
            "lock 8253", [](IspLink& l) { WriteLockBits8253(l); }, {0xAC, 0xE0, 0x00, 0x00}},
        EncodingCase{"write code page",
                     [](IspLink& l) { WritePage8253(l, kCodeMemory8253, 0x12FF, kPageBytes); },
                     Page({0x50, 0x12, 0xC0}, 64, 0x11)},
        EncodingCase{"write data page",
                     [](IspLink& l) { WritePage8253(l, kDataMemory8253, 0x07FF, kPageBytes); },
                     Page({0xD0, 0x07, 0xE0}, 32, 0x11)},
        EncodingCase{"read code page",
                     [](IspLink& l) {
                         std::uint8_t out[64];
                         ReadPage8253(l, kCodeMemory8253, 0x2FC5, out);
                     },
                     {0x30, 0x2F, 0xC0}},
        EncodingCase{"read data page",
                     [](IspLink& l) {
                         std::uint8_t out[64];
                         ReadPage8253(l, kDataMemory8253, 0x0125, out);
                     },
                     {0xB0, 0x01, 0x20}}),
    testing::CaseName());

struct EnableCase {
    int chipType;
    int answeringAttempt;  // 0: never
    bool misoHigh;         // level of MISO while nobody answers
    std::uint8_t expectedAnswer;
    int expectedSckDelay;
    int expectedEnableInstructions;
};

class EnableProcedure : public ::testing::TestWithParam<EnableCase> {};

// Each attempt sends the enable twice (the second time after a reset pulse)
// and then slows the clock by one unit.
TEST_P(EnableProcedure, RetriesAndSlowsTheClock) {
    const EnableCase& c = GetParam();
    ScopedWorkingDir dir;
    testing::ChipRig rig(c.chipType);
    if (c.answeringAttempt == 0) {
        rig.chip.faults().absent = true;
        rig.chip.faults().absentMisoLevel = c.misoHigh;
    } else {
        rig.chip.faults().ignoredEnables = 2 * (c.answeringAttempt - 1);
    }
    const std::uint8_t answer =
        c.chipType == 8252 ? EnableProgramming8252(rig.link) : EnableProgramming8253(rig.link);
    EXPECT_EQ(answer, c.expectedAnswer);
    EXPECT_EQ(rig.link.sckDelay, c.expectedSckDelay);
    EXPECT_EQ(rig.chip.statistics().enableInstructions, c.expectedEnableInstructions);
    EXPECT_EQ(rig.chip.programmingEnabled(), c.answeringAttempt != 0);
}

INSTANTIATE_TEST_SUITE_P(Attempts, EnableProcedure,
                         ::testing::Values(EnableCase{8252, 1, true, 0x53, 1, 1},
                                           EnableCase{8252, 2, true, 0x53, 2, 3},
                                           EnableCase{8252, 7, true, 0x53, 7, 13},
                                           EnableCase{8252, 32, true, 0x53, 32, 63},
                                           EnableCase{8252, 0, true, 0xFF, 33, 64},
                                           EnableCase{8252, 0, false, 0x00, 33, 64},
                                           EnableCase{8253, 1, true, 0x53, 1, 1},
                                           EnableCase{8253, 4, true, 0x53, 4, 7},
                                           EnableCase{8253, 19, true, 0x53, 19, 37},
                                           EnableCase{8253, 0, true, 0xFF, 20, 38},
                                           EnableCase{8253, 0, false, 0x00, 20, 38}));

// With a slowed clock every later transfer keeps the slower half-period.
TEST(IspLink, LaterTransfersUseTheSckDelayOfTheSuccessfulAttempt) {
    ScopedWorkingDir dir;
    testing::ChipRig rig(8252);
    rig.chip.faults().ignoredEnables = 4;  // answers at attempt 3
    ASSERT_EQ(EnableProgramming8252(rig.link), 0x53);
    const long long before = rig.link.waitedUnits();
    ReadCode8252(rig.link, 0x0010);
    // Two bytes sent (16 bits, 2 x 3 units), one read (8 bits, 3 + 4 units).
    EXPECT_EQ(rig.link.waitedUnits() - before, 16 * 2 * 3 + 8 * (3 + 4));
}

TEST(IspLink, WithoutPortAccessEveryReadIsZeroAndEnableFails) {
    FakeCounter counter;
    PortIo io;  // no port on this machine
    ParallelCable cable(io, counter, kBase);
    IspLink link(cable);
    EXPECT_EQ(link.IspReadByte(), 0x00);
    EXPECT_EQ(EnableProgramming8252(link), 0x00);
    EXPECT_EQ(link.sckDelay, 33);
    EXPECT_EQ(EnableProgramming8253(link), 0x00);
    EXPECT_EQ(link.sckDelay, 20);
}

}  // namespace
}  // namespace qvt
