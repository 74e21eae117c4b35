// Firmware files of any size are read in bounded time: what cannot be
// firmware fails early, wherever it came from.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "prog/firmware_check.h"
#include "prog/hex_reader.h"
#include "support/files.h"
#include "support/programming_rig.h"

namespace qvt {
namespace {

// Records of one byte each, address after address, then the end record.
std::string OneByteRecords(std::size_t count) {
    std::string text;
    char line[32];
    for (std::size_t i = 0; i < count; ++i) {
        const unsigned address = i & 0xFFFF;
        const unsigned sum = 0x01 + (address >> 8) + (address & 0xFF) + 0x5A;
        std::snprintf(line, sizeof line, ":01%04X005A%02X\r\n", address,
                      (0x100 - sum % 0x100) & 0xFF);
        text += line;
    }
    return text + ":00000001FF\r\n";
}

ProgStatus CheckFile(std::FILE* file) {
    const auto started = std::chrono::steady_clock::now();
    const ProgStatus status = CheckHexFile(file, 0);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1));
    return status;
}

TEST(HexFileSize, WhatCannotBeFirmwareEndsEarly) {
    ScopedWorkingDir dir;
    struct Case {
        const char* name;
        std::string text;
        long sparseSize;  // the file grown to this size with a hole, 0: as written
        ProgStatus status;
    };
    const Case cases[] = {
        {"1 GiB of garbage",
         "\x7f"
         "ELF garbage",
         1L << 30, ProgStatus::kFormatError},
        {"every address in a record of its own", OneByteRecords(0x10000), 0, ProgStatus::kOk},
        {"more records than the largest firmware", OneByteRecords(0x11200), 0,
         ProgStatus::kFormatError},
        {"blank lines past the largest firmware",
         std::string(kLargestHexFile, '\n') + ":00000001FF\r\n", 0, ProgStatus::kFormatError},
    };
    for (const Case& c : cases) {
        WriteText("f.hex", c.text);
        if (c.sparseSize != 0) {
            ASSERT_EQ(truncate("f.hex", c.sparseSize), 0);
        }
        const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen("f.hex", "rb"),
                                                                   std::fclose);
        EXPECT_EQ(CheckFile(file.get()), c.status) << c.name;
    }
}

// A stream of valid records without end never reaches an end record; a pipe
// cannot tell its position and is refused at once.
TEST(HexFileSize, EndlessRecordsFromAPipeEnd) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> pipe(
        popen("yes :0100000000FF 2>/dev/null", "r"), pclose);
    ASSERT_NE(pipe, nullptr);
    EXPECT_EQ(CheckFile(pipe.get()), ProgStatus::kFormatError);
}

}  // namespace
}  // namespace qvt
