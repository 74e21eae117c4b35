#include "link/telegram_log.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <mutex>
#include <sstream>
#include <thread>
#include <vector>

namespace qvt {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

std::tm Date(int year, int month, int day) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    return t;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void Touch(const fs::path& path) {
    std::ofstream(path, std::ios::binary) << "old";
}

// Each test works in a directory of its own.
class TelegramLogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("qvt-log-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path dir_;
};

struct NameCase {
    std::tm date;
    char letter;
    const char* name;
};

class LogFileNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(LogFileNameTest, DayMonthYearLetter) {
    EXPECT_EQ(LogFileName(GetParam().date, GetParam().letter), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(Names, LogFileNameTest,
                         ::testing::Values(NameCase{Date(2026, 12, 6), 'A', "061226_A.QVT"},
                                           NameCase{Date(2027, 3, 5), 'A', "050327_A.QVT"},
                                           NameCase{Date(2000, 1, 1), 'Z', "010100_Z.QVT"},
                                           NameCase{Date(2099, 10, 31), 'C', "311099_C.QVT"}));

TEST_F(TelegramLogTest, FirstFreeLetterOfTheDay) {
    const std::tm day = Date(2026, 12, 6);
    EXPECT_EQ(FirstFreeLogFileName(day, dir_), "061226_A.QVT");
    Touch(dir_ / "061226_A.QVT");
    Touch(dir_ / "061226_B.QVT");
    Touch(dir_ / "061226_D.QVT");
    Touch(dir_ / "051226_C.QVT");  // another day does not count
    EXPECT_EQ(FirstFreeLogFileName(day, dir_), "061226_C.QVT");
    for (char c = 'A'; c <= 'Z'; ++c) Touch(dir_ / LogFileName(day, c));
    EXPECT_FALSE(FirstFreeLogFileName(day, dir_).has_value());
}

TEST_F(TelegramLogTest, EachRunOfLoggingGetsItsOwnFile) {
    TelegramLog log;
    ASSERT_TRUE(log.Open(Date(2026, 12, 6), dir_));
    EXPECT_EQ(log.fileName(), "061226_A.QVT");
    EXPECT_TRUE(log.Write("first"));
    log.Close();
    ASSERT_TRUE(log.Open(Date(2026, 12, 6), dir_));
    EXPECT_EQ(log.fileName(), "061226_B.QVT");
    EXPECT_TRUE(log.Write("second"));
    log.Close();
    EXPECT_EQ(ReadFile(dir_ / "061226_A.QVT"), "first\r\n");
    EXPECT_EQ(ReadFile(dir_ / "061226_B.QVT"), "second\r\n");
}

TEST_F(TelegramLogTest, EveryLineIsOnDiskAsSoonAsItIsWritten) {
    TelegramLog log;
    ASSERT_TRUE(log.Open(Date(2027, 3, 5), dir_));
    const fs::path file = dir_ / "050327_A.QVT";
    EXPECT_EQ(ReadFile(file), "");
    ASSERT_TRUE(log.Write("06.12.26 21:22:05+0012.34C"));
    EXPECT_EQ(ReadFile(file), "06.12.26 21:22:05+0012.34C\r\n");  // still open
    ASSERT_TRUE(log.Write("-12.34"));
    EXPECT_EQ(ReadFile(file), "06.12.26 21:22:05+0012.34C\r\n-12.34\r\n");
    EXPECT_TRUE(log.isOpen());
}

// A USB stick or a network share: every sync takes 30 ms, twice a telegram's
// time on the line. Writing never waits for it, one sync covers many lines,
// and closing waits until the last line is covered.
TEST_F(TelegramLogTest, ASlowSyncNeitherHoldsTheWriterNorLosesALine) {
    const fs::path file = dir_ / "050327_A.QVT";
    std::mutex mutex;
    std::vector<std::uintmax_t> sizeAtSync;
    TelegramLog log([&](int) {
        {
            std::lock_guard lock(mutex);
            sizeAtSync.push_back(fs::file_size(file));
        }
        std::this_thread::sleep_for(30ms);
        return true;
    });
    ASSERT_TRUE(log.Open(Date(2027, 3, 5), dir_));
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 20; ++i) ASSERT_TRUE(log.Write("+0012.34"));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 200ms);  // 600 ms if it waited
    EXPECT_EQ(fs::file_size(file), 20u * 10);
    EXPECT_TRUE(log.Close());
    ASSERT_FALSE(sizeAtSync.empty());
    EXPECT_LT(sizeAtSync.size(), 20u);
    EXPECT_EQ(sizeAtSync.back(), 20u * 10);
}

TEST_F(TelegramLogTest, NoFileWhenAllNamesAreTaken) {
    const std::tm day = Date(2026, 12, 6);
    for (char c = 'A'; c <= 'Z'; ++c) Touch(dir_ / LogFileName(day, c));
    TelegramLog log;
    EXPECT_FALSE(log.Open(day, dir_));
    EXPECT_FALSE(log.isOpen());
    EXPECT_FALSE(log.Write("lost"));
    // The existing files are not touched.
    EXPECT_EQ(ReadFile(dir_ / "061226_Z.QVT"), "old");
}

TEST_F(TelegramLogTest, NoFileInADirectoryThatCannotBeWritten) {
    TelegramLog log;
    EXPECT_FALSE(log.Open(Date(2026, 12, 6), dir_ / "missing"));
    EXPECT_FALSE(log.isOpen());
    EXPECT_FALSE(log.Write("lost"));
}

TEST_F(TelegramLogTest, ADanglingLinkCountsAsTaken) {
    fs::create_symlink(dir_ / "nowhere", dir_ / "061226_A.QVT");
    TelegramLog log;
    ASSERT_TRUE(log.Open(Date(2026, 12, 6), dir_));
    EXPECT_EQ(log.fileName(), "061226_B.QVT");
    EXPECT_FALSE(fs::exists(dir_ / "nowhere"));
}

}  // namespace
}  // namespace qvt
