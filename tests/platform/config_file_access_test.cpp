// QVT410.CFG on disk: created when missing, read without waiting on what is
// no plain file, patched byte by byte.
#include "platform/files/config_file_access.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/files.h"
#include "support/unkind_files.h"

namespace qvt {
namespace {

using Bytes = std::vector<unsigned char>;

TEST(ConfigFile, MissingFileIsCreatedWithTheDefaults) {
    ScopedWorkingDir dir;
    const auto values = ReadConfigurationFile();
    ASSERT_TRUE(values.has_value());
    EXPECT_EQ(ReadBytes(kConfigFileName), (Bytes{0x01, 0x05, 0x00, 0x01}));
    EXPECT_EQ(values->portIndex, 1);  // COM2
    EXPECT_EQ(values->baudIndex, 5);  // 4800
    EXPECT_EQ(values->lptIndex, 0);
    EXPECT_TRUE(values->showTelegram);
    EXPECT_EQ(LptBaseForIndex(values->lptIndex), 0x378);
}

struct ReadCase {
    const char* name;
    Bytes file;
    int port, baud, lpt;
    bool shown;
    int lptBase;
};

class ConfigFileRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ConfigFileRead, BytesMapToSettings) {
    const ReadCase& c = GetParam();
    ScopedWorkingDir dir;
    WriteBytes(kConfigFileName, c.file);
    const auto values = ReadConfigurationFile();
    ASSERT_TRUE(values.has_value());
    EXPECT_EQ(values->portIndex, c.port);
    EXPECT_EQ(values->baudIndex, c.baud);
    EXPECT_EQ(values->lptIndex, c.lpt);
    EXPECT_EQ(values->showTelegram, c.shown);
    EXPECT_EQ(LptBaseForIndex(values->lptIndex), c.lptBase);
    EXPECT_EQ(ReadBytes(kConfigFileName), c.file) << "reading must not change the file";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConfigFileRead,
    ::testing::Values(
        ReadCase{"Clamped", {0x09, 0x07, 0x03, 0x00}, 5, 7, 3, false, 0x278},
        ReadCase{"Com1OddBaud", {0x00, 0x00, 0x02, 0x05}, 0, 0, 2, true, 0x378},
        ReadCase{"Lpt2", {0x02, 0x06, 0x01, 0x01}, 2, 6, 1, true, 0x278},
        ReadCase{"ExtraBytesIgnored", {0x03, 0x04, 0x00, 0x00, 0x77, 0x88}, 3, 4, 0, false, 0x378},
        ReadCase{"Empty", {}, 5, 255, 3, true, 0x278},
        ReadCase{"OneByte", {0x02}, 2, 255, 3, true, 0x278},
        ReadCase{"ThreeBytes", {0x00, 0x03, 0x00}, 0, 3, 0, true, 0x378}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ConfigFile, UnwritableFolderGivesNothing) {
    if (geteuid() == 0) {
        // root may write anywhere; use a name that cannot be a file instead
        ScopedWorkingDir dir;
        std::filesystem::create_directory(kConfigFileName);
        EXPECT_FALSE(ReadConfigurationFile().has_value());
        return;
    }
    ScopedWorkingDir dir;
    chmod(dir.path().c_str(), 0500);
    EXPECT_FALSE(ReadConfigurationFile().has_value());
    chmod(dir.path().c_str(), 0700);
}

TEST(ConfigFile, PatchWritersTouchOnlyTheirBytes) {
    ScopedWorkingDir dir;
    const Bytes original{0x03, 0x06, 0x02, 0x01, 0xAA};
    WriteBytes(kConfigFileName, original);

    WriteSerialSettings(4, 7);
    EXPECT_EQ(ReadBytes(kConfigFileName), (Bytes{0x04, 0x07, 0x02, 0x01, 0xAA}));

    WriteLptIndex(1);
    EXPECT_EQ(ReadBytes(kConfigFileName), (Bytes{0x04, 0x07, 0x01, 0x01, 0xAA}));

    WriteShowTelegram(false);
    EXPECT_EQ(ReadBytes(kConfigFileName), (Bytes{0x04, 0x07, 0x01, 0x00, 0xAA}));
    WriteShowTelegram(true);
    EXPECT_EQ(ReadBytes(kConfigFileName), (Bytes{0x04, 0x07, 0x01, 0x01, 0xAA}));
}

TEST(ConfigFile, PatchWritersNeverCreateTheFile) {
    ScopedWorkingDir dir;
    WriteSerialSettings(1, 2);
    WriteLptIndex(1);
    WriteShowTelegram(true);
    EXPECT_FALSE(std::filesystem::exists(kConfigFileName));
}

TEST(ConfigFile, NoPlainFileCountsAsNoAccessAndIsNeverWaitedOn) {
    for (const char* kind : {"pipe", "device", "folder"}) {
        ScopedWorkingDir dir;
        MakeUnkind(kind, kConfigFileName);
        std::optional<ConfigValues> values;
        EXPECT_TRUE(ReturnsWithoutWaiting(kConfigFileName, [&] {
            values = ReadConfigurationFile();
            WriteSerialSettings(2, 3);
            WriteLptIndex(1);
            WriteShowTelegram(false);
        })) << kind;
        EXPECT_FALSE(values.has_value()) << kind;
    }
}

TEST(ConfigFile, PatchOfAShortFileExtendsOnlyUpToTheByteWritten) {
    ScopedWorkingDir dir;
    WriteBytes(kConfigFileName, {0x02});
    WriteLptIndex(2);
    // Seeking past the end of a binary file and writing fills the gap with zeros.
    EXPECT_EQ(ReadBytes(kConfigFileName), (Bytes{0x02, 0x00, 0x02}));
}

}  // namespace
}  // namespace qvt
