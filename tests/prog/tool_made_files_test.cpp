// Firmware and tables made by real tools (sdcc, srec_cat) at build time: the
// reader and a whole programming run take them as the tools meant them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "prog/hex_reader.h"
#include "support/files.h"
#include "support/programming_rig.h"

namespace qvt {
namespace {

using testing::ChipRig;
using testing::Fixture;
using testing::Message;

const Message kBothDone{"Programm- und Datenspeicher fehlerfrei Programmiert", "Meldung"};

// Collects a whole file into an image the way the page mode does.
std::vector<std::uint8_t> ImageFromHexFile(const std::string& path, std::size_t size,
                                           int& dataRecords) {
    std::vector<std::uint8_t> image(size, 0xFF);
    std::FILE* file = std::fopen(path.c_str(), "rb");
    EXPECT_NE(file, nullptr) << path;
    if (!file)
        return image;
    HexRecord record;
    dataRecords = 0;
    HexResult result;
    while ((result = ReadHexRecord(file, record)) == HexResult::kDataRecord) {
        ++dataRecords;
        for (int i = 0; i < record.length; ++i) image.at(record.address + i) = record.data[i];
    }
    std::fclose(file);
    EXPECT_EQ(result, HexResult::kEndOfData) << path;
    return image;
}

// The compiler's own output and its srec_cat conversion (with the linear base
// record in front) give exactly the image srec_cat makes of the program.
TEST(HexReader, ToolMadeFilesGiveTheToolsImage) {
    const std::vector<std::uint8_t> expected = ReadBytes(Fixture("firmware.bin"));
    ASSERT_EQ(expected.size(), 8192u);
    for (const char* name : {"firmware.ihx", "firmware-srec.hex"}) {
        int records = 0;
        EXPECT_EQ(ImageFromHexFile(Fixture(name), 8192, records), expected) << name;
        EXPECT_GT(records, 20) << name;
    }
    int records = 0;
    EXPECT_EQ(ImageFromHexFile(Fixture("table.hex"), 2048, records),
              ReadBytes(Fixture("table.bin")));
}

TEST(HexReader, CompilerOutputIsUnsorted) {
    // The premise of the page mode collecting the whole file first.
    std::FILE* file = std::fopen(Fixture("firmware.ihx").c_str(), "rb");
    ASSERT_NE(file, nullptr);
    HexRecord record;
    int descents = 0;
    int previous = -1;
    while (ReadHexRecord(file, record) == HexResult::kDataRecord) {
        if (record.address < previous)
            ++descents;
        previous = record.address;
    }
    std::fclose(file);
    EXPECT_GT(descents, 0);
}

class ToolMadeFiles : public ::testing::TestWithParam<int> {};

TEST_P(ToolMadeFiles, AreProgrammedAsTheToolsImage) {
    ScopedWorkingDir dir;
    const std::vector<std::uint8_t> firmware = ReadBytes(Fixture("firmware.bin"));
    std::vector<std::uint8_t> expected(GetParam() == 8252 ? 8192 : 12288, 0xFF);
    std::copy(firmware.begin(), firmware.end(), expected.begin());
    for (const char* name : {"firmware.ihx", "firmware-srec.hex"}) {
        std::filesystem::copy_file(Fixture(name), name);
        std::filesystem::copy_file(Fixture("table.hex"), "table.hex",
                                   std::filesystem::copy_options::overwrite_existing);
        ChipRig rig(GetParam());  // same memory files: the chip of the previous round
        if (rig.chip.locked())
            rig.programmer.EraseChip();
        rig.programmer.RunProgramming(name, "table.hex");
        EXPECT_EQ(rig.view.messages.back(), kBothDone) << name;
        EXPECT_EQ(rig.chip.code(), expected) << name;
        EXPECT_EQ(rig.chip.data(), ReadBytes(Fixture("table.bin"))) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(BothChips, ToolMadeFiles, ::testing::Values(8252, 8253));

}  // namespace
}  // namespace qvt
