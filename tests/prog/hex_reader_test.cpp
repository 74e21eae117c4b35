#include "prog/hex_reader.h"

#include <gtest/gtest.h>

#include "case_name.h"
#include "core/temp_dir.h"
#include "prog/page_marking.h"
#include "prog_test_support.h"

namespace qvt {
namespace {

using testing::Fixture;

struct ReaderCase {
    const char* name;
    const char* text;
    std::vector<ProgStatus> results;  // one per call, in order
};

// Results of successive calls on a file with the given text.
std::vector<ProgStatus> ReadAll(const std::string& text, std::size_t calls,
                                HexRecord* last = nullptr) {
    ScopedWorkingDir dir;
    testing::WriteText("f.hex", text);
    std::FILE* file = std::fopen("f.hex", "rb");
    HexRecord record;
    std::vector<ProgStatus> results;
    for (std::size_t i = 0; i < calls; ++i) results.push_back(ReadHexRecord(file, record));
    std::fclose(file);
    if (last)
        *last = record;
    return results;
}

class HexReaderCases : public ::testing::TestWithParam<ReaderCase> {};

TEST_P(HexReaderCases, GivesResultsInOrder) {
    const ReaderCase& c = GetParam();
    EXPECT_EQ(ReadAll(c.text, c.results.size()), c.results) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Records, HexReaderCases,
    ::testing::Values(
        ReaderCase{"data then end", ":0300300002337A1E\r\n:00000001FF\r\n", {1, 0}},
        ReaderCase{"lower-case digits", ":0300300002337a1e\n:00000001ff\n", {1, 0}},
        ReaderCase{
            "blank lines and bare LF/CR", "\r\n\n:0300300002337A1E\r\r\n\n\n:00000001FF", {1, 0}},
        ReaderCase{"space before colon", " :0300300002337A1E\r\n", {6}},
        ReaderCase{"tab before colon", "\t:0300300002337A1E\r\n", {6}},
        ReaderCase{"bad checksum", ":0300300002337A1F\r\n:00000001FF\r\n", {7}},
        ReaderCase{"missing end record", ":0300300002337A1E\r\n", {1, 6}},
        ReaderCase{"empty file", "", {6}},
        ReaderCase{"zero length of any type ends", ":00123400BA\r\n:0300300002337A1E\r\n", {0}},
        ReaderCase{"end record with data ends", ":02000001FFFFFF\r\n", {0}},
        // A length byte damaged to 00 (":04001000..."): the rest of the
        // record cannot add up, so it does not pass for the end.
        ReaderCase{"length damaged to zero",
                   ":0300000002337A4E\r\n:00001000C0FFEE003F\r\n:00000001FF\r\n",
                   {1, 7}},
        ReaderCase{"zero length with a bad checksum", ":00000001FE\r\n", {7}},
        ReaderCase{"end record with data and a bad checksum", ":02000001FFFF00\r\n", {7}},
        ReaderCase{"zero length cut short", ":000000", {6}},
        ReaderCase{"non-hex digit in data", ":03003000023G7A1E\r\n", {6}},
        ReaderCase{"non-hex digit in length", ":0Z00300002337A1E\r\n", {6}},
        ReaderCase{"file ends inside a record", ":0300300002", {6}},
        ReaderCase{
            "text after the checksum", ":0300300002337A1E;comment\r\n:00000001FF\r\n", {1, 6}},
        ReaderCase{"linear base 0 is passed over",
                   ":020000040000FA\r\n:0300300002337A1E\r\n:00000001FF\r\n",
                   {1, 0}},
        ReaderCase{"segment base 0 is passed over",
                   ":020000020000FC\r\n:0300300002337A1E\r\n:00000001FF\r\n",
                   {1, 0}},
        ReaderCase{"start addresses are passed over",
                   ":0400000300001234B3\r\n:0400000500001234B1\r\n:00000001FF\r\n",
                   {0}},
        ReaderCase{"non-zero linear base", ":020000040001F9\r\n:00000001FF\r\n", {6}},
        ReaderCase{"non-zero segment base", ":020000021000EC\r\n:00000001FF\r\n", {6}},
        ReaderCase{"base record of the wrong length", ":03000004000000F9\r\n", {6}},
        ReaderCase{"base record with a bad checksum", ":020000040000FB\r\n", {7}},
        ReaderCase{"unknown record type", ":0100000600F9\r\n", {6}}),
    testing::CaseName());

TEST(HexReader, DeliversAddressLengthAndData) {
    HexRecord record;
    ReadAll(":0300300002337A1E\r\n", 1, &record);
    EXPECT_EQ(record.Address, 0x0030);
    EXPECT_EQ(record.Length, 3);
    EXPECT_EQ(record.Data[0], 0x02);
    EXPECT_EQ(record.Data[1], 0x33);
    EXPECT_EQ(record.Data[2], 0x7A);
}

TEST(HexReader, ChecksumErrorKeepsTheRecordAsRead) {
    HexRecord record;
    ASSERT_EQ(ReadAll(":02123400ABCD00\r\n", 1, &record), std::vector<ProgStatus>{7});
    EXPECT_EQ(record.Address, 0x1234);
    EXPECT_EQ(record.Length, 2);
    EXPECT_EQ(record.Data[1], 0xCD);
    EXPECT_EQ(record.Checksum, static_cast<std::uint8_t>(0 - (2 + 0x12 + 0x34 + 0xAB + 0xCD)));
}

TEST(HexReader, LongestRecordIsRead) {
    std::vector<std::uint8_t> bytes = testing::Pattern(255, 3);
    HexRecord record;
    EXPECT_EQ(ReadAll(testing::HexRecordLine(0x0100, 0, bytes), 1, &record),
              std::vector<ProgStatus>{1});
    EXPECT_EQ(record.Length, 255);
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), record.Data.begin()));
}

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
    ProgStatus result;
    while ((result = ReadHexRecord(file, record)) == kHexDataRecord) {
        ++dataRecords;
        for (int i = 0; i < record.Length; ++i) image.at(record.Address + i) = record.Data[i];
    }
    std::fclose(file);
    EXPECT_EQ(result, kHexEndOfData) << path;
    return image;
}

// The compiler's own output and its srec_cat conversion (with the linear base
// record in front) give exactly the image srec_cat makes of the program.
TEST(HexReader, ToolMadeFilesGiveTheToolsImage) {
    const std::vector<std::uint8_t> expected = testing::ReadFile(Fixture("firmware.bin"));
    ASSERT_EQ(expected.size(), 8192u);
    for (const char* name : {"firmware.ihx", "firmware-srec.hex"}) {
        int records = 0;
        EXPECT_EQ(ImageFromHexFile(Fixture(name), 8192, records), expected) << name;
        EXPECT_GT(records, 20) << name;
    }
    int records = 0;
    EXPECT_EQ(ImageFromHexFile(Fixture("table.hex"), 2048, records),
              testing::ReadFile(Fixture("table.bin")));
}

TEST(HexReader, CompilerOutputIsUnsorted) {
    // The premise of the page mode collecting the whole file first.
    std::FILE* file = std::fopen(Fixture("firmware.ihx").c_str(), "rb");
    ASSERT_NE(file, nullptr);
    HexRecord record;
    int descents = 0;
    int previous = -1;
    while (ReadHexRecord(file, record) == kHexDataRecord) {
        if (record.Address < previous)
            ++descents;
        previous = record.Address;
    }
    std::fclose(file);
    EXPECT_GT(descents, 0);
}

struct MarkCase {
    std::uint16_t address;
    std::uint8_t length;
    bool dataMemory;
    std::vector<std::size_t> pages;
};

class PageMarking : public ::testing::TestWithParam<MarkCase> {};

TEST_P(PageMarking, MarksExactlyThesePages) {
    const MarkCase& c = GetParam();
    const MemoryGeometry& memory = c.dataMemory ? kDataMemory8253 : kCodeMemory8253;
    std::vector<bool> used(memory.pages, false);
    MarkRecordPages(used, memory, c.address, c.length);
    std::vector<std::size_t> marked;
    for (std::size_t p = 0; p < used.size(); ++p) {
        if (used[p])
            marked.push_back(p);
    }
    EXPECT_EQ(marked, c.pages) << std::hex << c.address << " +" << std::dec << int(c.length);
}

INSTANTIATE_TEST_SUITE_P(Records, PageMarking,
                         ::testing::Values(
                             // 16 bytes from a 16-byte boundary reach past the line: next page too.
                             MarkCase{0x0000, 16, false, {0, 1}}, MarkCase{0x0000, 15, false, {0}},
                             MarkCase{0x0010, 16, false, {0, 1}},
                             MarkCase{0x000E, 2, false, {0, 1}}, MarkCase{0x000E, 1, false, {0}},
                             MarkCase{0x0030, 32, false, {0, 1}}, MarkCase{0x0041, 3, false, {1}},
                             // A record longer than two pages marks every page it reaches.
                             MarkCase{0x0010, 255, false, {0, 1, 2, 3, 4}},
                             // Nothing beyond the last page.
                             MarkCase{0x2FC0, 64, false, {191}}, MarkCase{0x2FF0, 16, false, {191}},
                             MarkCase{0x0010, 16, true, {0, 1}}, MarkCase{0x0020, 8, true, {1}},
                             MarkCase{0x07E0, 32, true, {63}}));

}  // namespace
}  // namespace qvt
