// Parameter files on disk: loading refuses what is not ours without waiting,
// saving replaces the file whole.
#include "platform/files/parameter_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "core/application_state.h"
#include "core/parameter_reset.h"
#include "core/qvc_file.h"
#include "support/file_words.h"
#include "support/unkind_files.h"

namespace qvt {
namespace {

namespace fs = std::filesystem;

using testing::Bytes;
using testing::SetWord;
using testing::WordAt;

// Each test works in a folder of its own.
class ParameterFileOnDisk : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("qvc-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }

    static Bytes Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static void Write(const std::string& path, const Bytes& bytes) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir_)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path dir_;
};

TEST_F(ParameterFileOnDisk, SaveWritesTheImageAndLoadReadsItBack) {
    ParameterRecord record;
    ApplicationState state;
    record.deviceType = 1;
    ResetParameters(record, state);
    const std::string path = PathOf("Default.QVC");
    ASSERT_TRUE(SaveParameterFile(path, record));
    const Bytes bytes = Read(path);
    const ParameterFileImage image = EncodeParameterFile(record);
    EXPECT_EQ(bytes, Bytes(image.begin(), image.end()));
    EXPECT_EQ(Names(), std::vector<std::string>{"Default.QVC"});  // no temporary left

    ParameterRecord loaded;
    loaded.sp1Setpoint = "-1";
    ASSERT_TRUE(LoadParameterFile(path, loaded));
    EXPECT_EQ(loaded.mbMeasStart, "0");
    EXPECT_EQ(loaded.sp1Setpoint, "0");
    EXPECT_EQ(loaded.sp1Delay, "0");
    EXPECT_EQ(loaded.sioSendCycle, "0");
    EXPECT_EQ(loaded.rtcMinute, "0");
    EXPECT_EQ(loaded.rtcHour, "0");
    EXPECT_EQ(loaded.rtcDay, "1");
    EXPECT_EQ(loaded.rtcMonth, "1");
    EXPECT_EQ(loaded.azAverageCount, "0");
    EXPECT_EQ(loaded.soEncoderPulses, "100");
    EXPECT_EQ(loaded.deviceType, 1);
}

TEST_F(ParameterFileOnDisk, LoadOfShortLongAndMissingFiles) {
    ParameterRecord source;
    source.mbMeasStart = "77";
    source.sp2Setpoint = "-88";
    const ParameterFileImage image = EncodeParameterFile(source);

    // Shorter than a parameter file: an empty file, a line of text, 8 words
    // and a half. None is a set; the one in use stays.
    const std::string text = "Hallo Welt\n";
    for (const Bytes& shortFile :
         {Bytes{}, Bytes(text.begin(), text.end()), Bytes(image.begin(), image.begin() + 17)}) {
        Write(PathOf("short.QVC"), shortFile);
        ParameterRecord record;
        record.sp2Setpoint = "5555";
        EXPECT_FALSE(LoadParameterFile(PathOf("short.QVC"), record)) << shortFile.size();
        EXPECT_EQ(record.mbMeasStart, "0000");
        EXPECT_EQ(record.sp2Setpoint, "5555");
    }
    ParameterRecord record;

    Bytes longFile(image.begin(), image.end());
    longFile.resize(200, 0x33);
    Write(PathOf("long.QVC"), longFile);
    ASSERT_TRUE(LoadParameterFile(PathOf("long.QVC"), record));
    EXPECT_EQ(record.sp2Setpoint, "-88");

    // A file of any size: its 76 bytes are read, not the rest (1 GiB, a hole).
    fs::resize_file(PathOf("long.QVC"), 1 << 30);
    record.sp2Setpoint = "5555";
    const auto started = std::chrono::steady_clock::now();
    ASSERT_TRUE(LoadParameterFile(PathOf("long.QVC"), record));
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(100));
    EXPECT_EQ(record.sp2Setpoint, "-88");

    const ParameterRecord before = record;
    EXPECT_FALSE(LoadParameterFile(PathOf("missing.QVC"), record));
    EXPECT_EQ(EncodeParameterFile(record), EncodeParameterFile(before));
}

TEST_F(ParameterFileOnDisk, RefusedFilesLeaveTheRecordAsItWas) {
    const auto refused = [](const std::string& path) {
        ParameterRecord record;
        record.mbMeasStart = "12";
        bool loaded = true;
        EXPECT_TRUE(ReturnsWithoutWaiting(path, [&] { loaded = LoadParameterFile(path, record); }))
            << path;
        EXPECT_FALSE(loaded) << path;
        EXPECT_EQ(record.mbMeasStart, "12") << path;
    };
    for (const char* kind : {"pipe", "device", "folder", "read error"}) {
        MakeUnkind(kind, PathOf(kind));
        refused(PathOf(kind));
    }
    // Word 38 outside 0..2, even with a known low byte, is no file of ours.
    Bytes file(kParameterFileSize, 0);
    SetWord(file, 1, 77);
    for (std::int16_t type : {3, -1, 0x0100}) {
        SetWord(file, 38, type);
        Write(PathOf("type.QVC"), file);
        refused(PathOf("type.QVC"));
    }
}

TEST_F(ParameterFileOnDisk, FailedSaveLeavesTheOldFileIntact) {
    const Bytes old = {1, 2, 3, 4, 5};
    Write(PathOf("keep.QVC"), old);
    // Every temporary name beside the target is taken, so no new file can be made.
    for (int i = 0; i < 100; ++i) Write(PathOf("keep.QVC.tmp" + std::to_string(i)), {9});
    ParameterRecord record;
    EXPECT_FALSE(SaveParameterFile(PathOf("keep.QVC"), record));
    EXPECT_EQ(Read(PathOf("keep.QVC")), old);

    fs::create_directory(dir_ / "folder.QVC");
    Write(PathOf("folder.QVC/inside"), old);
    EXPECT_FALSE(SaveParameterFile(PathOf("folder.QVC"), record));
    EXPECT_EQ(Read(PathOf("folder.QVC/inside")), old);

    EXPECT_FALSE(SaveParameterFile(PathOf("no-such-folder/x.QVC"), record));
    EXPECT_FALSE(fs::exists(dir_ / "no-such-folder"));
}

TEST_F(ParameterFileOnDisk, SaveKeepsPermissionsAndFollowsLinks) {
    const std::string target = PathOf("real.QVC");
    Write(target, {0});
    const auto perms = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(target, perms);
    fs::create_symlink(target, dir_ / "link.QVC");

    ParameterRecord record;
    record.mbMeasEnd = "1234";
    ASSERT_TRUE(SaveParameterFile(PathOf("link.QVC"), record));
    EXPECT_TRUE(fs::is_symlink(dir_ / "link.QVC"));
    const Bytes bytes = Read(target);
    ASSERT_EQ(bytes.size(), 76u);
    EXPECT_EQ(WordAt(bytes, 3), 1234);
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all, perms);
    EXPECT_EQ(Names(), (std::vector<std::string>{"link.QVC", "real.QVC"}));
}

}  // namespace
}  // namespace qvt
