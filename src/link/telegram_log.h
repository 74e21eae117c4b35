#pragma once

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace qvt {

// Name of a log file for a local date and a letter: day, month and the last two
// digits of the year, "_", the letter, ".QVT" (061226_A.QVT).
std::string LogFileName(const std::tm& localDate, char letter);

// The first name of the day, A to Z, that does not exist in the directory yet.
std::optional<std::string> FirstFreeLogFileName(const std::tm& localDate,
                                                const std::filesystem::path& directory);

// The telegram log file: one telegram per line, CR LF, each line flushed to
// the disk as it is written so a crash or a power loss loses none. Each run
// of logging gets a new file of its own.
class TelegramLog {
  public:
    TelegramLog() = default;
    TelegramLog(const TelegramLog&) = delete;
    TelegramLog& operator=(const TelegramLog&) = delete;
    ~TelegramLog() { Close(); }

    // Creates the first free file of the day in the directory. False when all
    // 26 names are taken or the file cannot be created; nothing is open then.
    bool Open(const std::tm& localDate, const std::filesystem::path& directory);
    void Close();
    bool isOpen() const { return file_ != nullptr; }
    const std::string& fileName() const { return fileName_; }

    // Appends one line; does nothing while no file is open. False on a write error.
    bool Write(std::string_view telegramText);

  private:
    std::FILE* file_ = nullptr;
    std::string fileName_;
};

}  // namespace qvt
