#include "prog/hex_reader.h"

#include <gtest/gtest.h>

#include "prog/page_marking.h"
#include "support/case_name.h"
#include "support/files.h"
#include "support/programming_rig.h"

namespace qvt {
namespace {

constexpr HexResult kEnd = HexResult::kEndOfData;
constexpr HexResult kData = HexResult::kDataRecord;
constexpr HexResult kFormat = HexResult::kFormatError;
constexpr HexResult kChecksum = HexResult::kChecksumError;

struct ReaderCase {
    const char* name;
    const char* text;
    std::vector<HexResult> results;  // one per call, in order
};

// Results of successive calls on a file with the given text.
std::vector<HexResult> ReadAll(const std::string& text, std::size_t calls,
                               HexRecord* last = nullptr) {
    ScopedWorkingDir dir;
    WriteText("f.hex", text);
    std::FILE* file = std::fopen("f.hex", "rb");
    HexRecord record;
    std::vector<HexResult> results;
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
        ReaderCase{"data then end", ":0300300002337A1E\r\n:00000001FF\r\n", {kData, kEnd}},
        ReaderCase{"lower-case digits", ":0300300002337a1e\n:00000001ff\n", {kData, kEnd}},
        ReaderCase{"blank lines and bare LF/CR",
                   "\r\n\n:0300300002337A1E\r\r\n\n\n:00000001FF",
                   {kData, kEnd}},
        ReaderCase{"space before colon", " :0300300002337A1E\r\n", {kFormat}},
        ReaderCase{"tab before colon", "\t:0300300002337A1E\r\n", {kFormat}},
        ReaderCase{"bad checksum", ":0300300002337A1F\r\n:00000001FF\r\n", {kChecksum}},
        ReaderCase{"missing end record", ":0300300002337A1E\r\n", {kData, kFormat}},
        ReaderCase{"empty file", "", {kFormat}},
        ReaderCase{"zero length of any type ends", ":00123400BA\r\n:0300300002337A1E\r\n", {kEnd}},
        ReaderCase{"end record with data ends", ":02000001FFFFFF\r\n", {kEnd}},
        // A length byte damaged to 00 (":04001000..."): the rest of the
        // record cannot add up, so it does not pass for the end.
        ReaderCase{"length damaged to zero",
                   ":0300000002337A4E\r\n:00001000C0FFEE003F\r\n:00000001FF\r\n",
                   {kData, kChecksum}},
        ReaderCase{"zero length with a bad checksum", ":00000001FE\r\n", {kChecksum}},
        ReaderCase{"end record with data and a bad checksum", ":02000001FFFF00\r\n", {kChecksum}},
        ReaderCase{"zero length cut short", ":000000", {kFormat}},
        ReaderCase{"non-hex digit in data", ":03003000023G7A1E\r\n", {kFormat}},
        ReaderCase{"non-hex digit in length", ":0Z00300002337A1E\r\n", {kFormat}},
        ReaderCase{"file ends inside a record", ":0300300002", {kFormat}},
        ReaderCase{"text after the checksum",
                   ":0300300002337A1E;comment\r\n:00000001FF\r\n",
                   {kData, kFormat}},
        ReaderCase{"linear base 0 is passed over",
                   ":020000040000FA\r\n:0300300002337A1E\r\n:00000001FF\r\n",
                   {kData, kEnd}},
        ReaderCase{"segment base 0 is passed over",
                   ":020000020000FC\r\n:0300300002337A1E\r\n:00000001FF\r\n",
                   {kData, kEnd}},
        ReaderCase{"start addresses are passed over",
                   ":0400000300001234B3\r\n:0400000500001234B1\r\n:00000001FF\r\n",
                   {kEnd}},
        ReaderCase{"non-zero linear base", ":020000040001F9\r\n:00000001FF\r\n", {kFormat}},
        ReaderCase{"non-zero segment base", ":020000021000EC\r\n:00000001FF\r\n", {kFormat}},
        ReaderCase{"base record of the wrong length", ":03000004000000F9\r\n", {kFormat}},
        ReaderCase{"base record with a bad checksum", ":020000040000FB\r\n", {kChecksum}},
        ReaderCase{"unknown record type", ":0100000600F9\r\n", {kFormat}}),
    testing::CaseName());

TEST(HexReader, DeliversAddressLengthAndData) {
    HexRecord record;
    ReadAll(":0300300002337A1E\r\n", 1, &record);
    EXPECT_EQ(record.address, 0x0030);
    EXPECT_EQ(record.length, 3);
    EXPECT_EQ(record.data[0], 0x02);
    EXPECT_EQ(record.data[1], 0x33);
    EXPECT_EQ(record.data[2], 0x7A);
}

TEST(HexReader, ChecksumErrorKeepsTheRecordAsRead) {
    HexRecord record;
    ASSERT_EQ(ReadAll(":02123400ABCD00\r\n", 1, &record), std::vector<HexResult>{kChecksum});
    EXPECT_EQ(record.address, 0x1234);
    EXPECT_EQ(record.length, 2);
    EXPECT_EQ(record.data[1], 0xCD);
    EXPECT_EQ(record.checksum, static_cast<std::uint8_t>(0 - (2 + 0x12 + 0x34 + 0xAB + 0xCD)));
}

TEST(HexReader, LongestRecordIsRead) {
    std::vector<std::uint8_t> bytes = testing::Pattern(255, 3);
    HexRecord record;
    EXPECT_EQ(ReadAll(testing::HexRecordLine(0x0100, 0, bytes), 1, &record),
              std::vector<HexResult>{kData});
    EXPECT_EQ(record.length, 255);
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), record.data.begin()));
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
