#pragma once

#include <condition_variable>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

#include "platform/append_file.h"

namespace qvt {

// Name of a log file for a local date and a letter: day, month and the last two
// digits of the year, "_", the letter, ".QVT" (061226_A.QVT).
std::string LogFileName(const std::tm& localDate, char letter);

// The first name of the day, A to Z, that does not exist in the directory yet.
std::optional<std::string> FirstFreeLogFileName(const std::tm& localDate,
                                                const std::filesystem::path& directory);

// The telegram log file: one telegram per line, CR LF. Each line goes into the
// file with one write as it comes, so nothing waits for the medium. Putting
// the lines on stable storage, so that a crash or a power loss loses none, is
// the job of a thread of the log's own: it syncs whatever has been written
// since its last sync, so on a slow medium (a USB stick, a network share: 20
// to 200 ms a sync) one sync covers many lines and the writer never waits.
// Closing waits for the last sync. Each run of logging gets a new file.
class TelegramLog {
  public:
    // Puts the data written to the descriptor on stable storage; false when
    // it cannot. Called on the log's own thread.
    using Sync = std::function<bool(int descriptor)>;

    explicit TelegramLog(Sync sync = SyncFileData) : sync_(std::move(sync)) {}
    TelegramLog(const TelegramLog&) = delete;
    TelegramLog& operator=(const TelegramLog&) = delete;
    ~TelegramLog() { Close(); }

    // Creates the first free file of the day in the directory. False when all
    // 26 names are taken or the file cannot be created; nothing is open then.
    bool Open(const std::tm& localDate, const std::filesystem::path& directory);
    // Syncs what is still pending, however long that takes, and closes. False
    // when a line written to this file may not have reached stable storage.
    bool Close();
    bool isOpen() const { return descriptor_ >= 0; }
    const std::string& fileName() const { return fileName_; }

    // Appends one line. False while no file is open, when the line could not
    // be written, and once a sync has failed.
    bool Write(std::string_view telegramText);

    // The sync used for the files opened from now on.
    void SetSync(Sync sync) { sync_ = std::move(sync); }

  private:
    void SyncUntilClosed(const Sync& sync);

    Sync sync_;
    int descriptor_ = -1;
    std::string fileName_;
    std::thread syncer_;

    // Shared with the syncing thread.
    std::mutex mutex_;
    std::condition_variable wake_;
    std::uint64_t linesWritten_ = 0;
    std::uint64_t linesSynced_ = 0;
    bool closing_ = false;
    bool failed_ = false;
};

}  // namespace qvt
