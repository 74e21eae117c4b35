#include "emulation/chip_memory_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/files.h"

namespace qvt {
namespace {

namespace fs = std::filesystem;

// Memory files kept elsewhere and reached through a link (a shared folder of
// images, say) stay links, and the image keeps the permissions it was given.
TEST(ChipMemoryFile, SaveFollowsALinkAndKeepsPermissions) {
    ScopedWorkingDir dir;
    fs::create_directory("images");
    WriteBytes("images/code.bin", {1, 2, 3});
    const auto perms = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions("images/code.bin", perms);
    fs::create_symlink("images/code.bin", "emulated-code.bin");

    ASSERT_TRUE(SaveMemoryImage("emulated-code.bin", {0xAA, 0xBB}));
    EXPECT_TRUE(fs::is_symlink("emulated-code.bin"));
    EXPECT_EQ(ReadBytes("images/code.bin"), (std::vector<unsigned char>{0xAA, 0xBB}));
    EXPECT_EQ(fs::status("images/code.bin").permissions() & fs::perms::all, perms);
    EXPECT_EQ(LoadMemoryImage("emulated-code.bin", 3),
              (std::vector<std::uint8_t>{0xAA, 0xBB, 0xFF}));
}

}  // namespace
}  // namespace qvt
