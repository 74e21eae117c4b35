#include "emulation/emulated_isp_chip.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "prog/isp_instructions.h"
#include "support/files.h"
#include "support/programming_rig.h"

namespace qvt {
namespace {

using testing::ChipRig;

class EmulatedChip : public ::testing::TestWithParam<int> {
  protected:
    int chipType() const { return GetParam(); }
    bool is8252() const { return GetParam() == 8252; }

    std::uint8_t ReadCode(ChipRig& rig, std::uint16_t a) {
        return is8252() ? ReadCode8252(rig.link, a) : ReadCode8253(rig.link, a);
    }
    std::uint8_t ReadData(ChipRig& rig, std::uint16_t a) {
        return is8252() ? ReadData8252(rig.link, a) : ReadData8253(rig.link, a);
    }
    // A byte write instruction without any waiting or polling.
    void SendCodeWrite(ChipRig& rig, std::uint16_t a, std::uint8_t d) {
        if (is8252()) {
            for (std::uint8_t b : {static_cast<std::uint8_t>(((a >> 8) << 3) + 2),
                                   static_cast<std::uint8_t>(a), d}) {
                rig.link.IspSendByte(b);
            }
        } else {
            for (std::uint8_t b : {std::uint8_t{0x40}, static_cast<std::uint8_t>(a >> 8),
                                   static_cast<std::uint8_t>(a), d}) {
                rig.link.IspSendByte(b);
            }
        }
    }
    void SendDataWrite(ChipRig& rig, std::uint16_t a, std::uint8_t d) {
        if (is8252()) {
            for (std::uint8_t b : {static_cast<std::uint8_t>((((a >> 8) << 3) & 0x38) + 6),
                                   static_cast<std::uint8_t>(a), d}) {
                rig.link.IspSendByte(b);
            }
        } else {
            for (std::uint8_t b : {std::uint8_t{0xC0}, static_cast<std::uint8_t>(a >> 8),
                                   static_cast<std::uint8_t>(a), d}) {
                rig.link.IspSendByte(b);
            }
        }
    }
    bool Enable(ChipRig& rig) {
        return (is8252() ? EnableProgramming8252(rig.link) : EnableProgramming8253(rig.link)) ==
               0x53;
    }
    void Lock(ChipRig& rig) {
        if (is8252()) {
            WriteLockBits8252(rig.link);
        } else {
            WriteLockBits8253(rig.link);
        }
    }
    void Erase(ChipRig& rig) {
        if (is8252()) {
            ChipErase8252(rig.link);
        } else {
            ChipErase8253(rig.link);
        }
    }

    ScopedWorkingDir dir_;
};

TEST_P(EmulatedChip, WrittenCellsReadAsComplementUntilTheWriteCycleEnds) {
    ChipRig rig(chipType());
    ASSERT_TRUE(Enable(rig));
    SendCodeWrite(rig, 0x0123, 0x5A);
    EXPECT_EQ(ReadCode(rig, 0x0123), 0xA5);
    EXPECT_EQ(ReadCode(rig, 0x0124), 0xFF);  // other cells are not affected
    rig.link.IspDelay(EmulatedIspChip::kDataByteWriteCycle);
    EXPECT_EQ(ReadCode(rig, 0x0123), 0x5A);

    SendDataWrite(rig, 0x07FE, 0x3C);
    EXPECT_NE(ReadData(rig, 0x07FE), 0x3C);
    rig.link.IspDelay(EmulatedIspChip::kDataByteWriteCycle);
    EXPECT_EQ(ReadData(rig, 0x07FE), 0x3C);
    EXPECT_EQ(rig.chip.code()[0x123], 0x5A);
    EXPECT_EQ(rig.chip.data()[0x7FE], 0x3C);
}

TEST_P(EmulatedChip, IgnoresEverythingBeforeTheEnable) {
    ChipRig rig(chipType());
    rig.link.SetLines(0x04);
    SendCodeWrite(rig, 0x0010, 0x00);
    Erase(rig);
    Lock(rig);
    EXPECT_EQ(rig.chip.code()[0x10], 0xFF);
    EXPECT_FALSE(rig.chip.locked());
    EXPECT_EQ(rig.chip.statistics().erasures, 0);
}

TEST_P(EmulatedChip, KeepsItsMemoriesInFilesOfTheirExactSize) {
    const std::size_t codeSize = is8252() ? 8192 : 12288;
    {
        ChipRig rig(chipType());
        EXPECT_EQ(rig.chip.code(), std::vector<std::uint8_t>(codeSize, 0xFF));  // no file: erased
        ASSERT_TRUE(Enable(rig));
        SendCodeWrite(rig, 0x0001, 0x42);
        rig.link.IspDelay(300);
        SendDataWrite(rig, 0x0002, 0x43);
        rig.link.IspDelay(300);
        EXPECT_FALSE(std::filesystem::exists("emulated-code.bin"));
        rig.link.SetLines(0x08);  // operation over: written back now
        EXPECT_EQ(ReadBytes("emulated-code.bin").size(), codeSize);
        EXPECT_EQ(ReadBytes("emulated-data.bin").size(), 2048u);
        EXPECT_EQ(ReadBytes("emulated-code.bin")[1], 0x42);
        EXPECT_EQ(ReadBytes("emulated-data.bin")[2], 0x43);
    }
    ChipRig again(chipType());
    EXPECT_EQ(again.chip.code()[1], 0x42);
    EXPECT_EQ(again.chip.code()[0], 0xFF);
    EXPECT_EQ(again.chip.data()[2], 0x43);
}

TEST_P(EmulatedChip, LockedChipRefusesWritesUntilErased) {
    ChipRig rig(chipType());
    ASSERT_TRUE(Enable(rig));
    SendCodeWrite(rig, 0x0040, 0x12);
    rig.link.IspDelay(300);
    Lock(rig);
    rig.link.SetLines(0x08);
    EXPECT_TRUE(std::filesystem::exists("emulated-lock"));

    ChipRig reloaded(chipType());
    EXPECT_TRUE(reloaded.chip.locked());
    ASSERT_TRUE(Enable(reloaded));
    EXPECT_EQ(ReadCode(reloaded, 0x0040), 0x00);  // contents hidden
    SendCodeWrite(reloaded, 0x0041, 0x34);
    reloaded.link.IspDelay(300);
    EXPECT_EQ(reloaded.chip.code()[0x41], 0xFF);

    Erase(reloaded);
    EXPECT_FALSE(reloaded.chip.locked());
    EXPECT_EQ(reloaded.chip.code()[0x40], 0xFF);
    SendCodeWrite(reloaded, 0x0041, 0x34);
    reloaded.link.IspDelay(300);
    EXPECT_EQ(ReadCode(reloaded, 0x0041), 0x34);
    reloaded.link.SetLines(0x08);
    EXPECT_FALSE(std::filesystem::exists("emulated-lock"));
}

TEST_P(EmulatedChip, ResetEndsProgrammingMode) {
    ChipRig rig(chipType());
    ASSERT_TRUE(Enable(rig));
    rig.link.SetLines(0x00);
    rig.link.SetLines(0x04);
    SendCodeWrite(rig, 0x0005, 0x00);
    EXPECT_FALSE(rig.chip.programmingEnabled());
    EXPECT_EQ(rig.chip.code()[5], 0xFF);
}

INSTANTIATE_TEST_SUITE_P(BothChips, EmulatedChip, ::testing::Values(8252, 8253));

TEST(EmulatedChip8253, PagesAndMemoryBounds) {
    ScopedWorkingDir dir;
    ChipRig rig(8253);
    ASSERT_EQ(EnableProgramming8253(rig.link), 0x53);
    std::vector<std::uint8_t> page = testing::Pattern(64, 9);
    WritePage8253(rig.link, kCodeMemory8253, 0x2FC0, page.data());
    rig.link.IspDelay(EmulatedIspChip::kPageWriteCycle);
    std::uint8_t back[64] = {};
    ReadPage8253(rig.link, kCodeMemory8253, 0x2FC0, back);
    EXPECT_TRUE(std::equal(page.begin(), page.end(), back));
    EXPECT_EQ(ReadCode8253(rig.link, 0x3000), 0xFF);  // beyond the 12 KB
    WritePage8253(rig.link, kDataMemory8253, 0x0020, page.data());
    rig.link.IspDelay(EmulatedIspChip::kPageWriteCycle);
    EXPECT_TRUE(std::equal(page.begin(), page.begin() + 32, rig.chip.data().begin() + 0x20));
    EXPECT_EQ(rig.chip.data()[0x40], 0xFF);
    EXPECT_EQ(rig.chip.statistics().pageWrites, 2);
}

}  // namespace
}  // namespace qvt
