#include "link/telegram_log.h"

#include <cstdio>

namespace qvt {

std::string LogFileName(const std::tm& localDate, char letter) {
    char name[64];
    std::snprintf(name, sizeof name, "%02d%02d%02d_%c.QVT", localDate.tm_mday, localDate.tm_mon + 1,
                  (localDate.tm_year + 1900) % 100, letter);
    return name;
}

std::optional<std::string> FirstFreeLogFileName(const std::tm& localDate,
                                                const std::filesystem::path& directory) {
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const std::string name = LogFileName(localDate, letter);
        std::error_code error;
        if (!std::filesystem::exists(std::filesystem::symlink_status(directory / name, error))) {
            return name;
        }
    }
    return std::nullopt;
}

bool TelegramLog::Open(const std::tm& localDate, const std::filesystem::path& directory) {
    Close();
    const std::optional<std::string> name = FirstFreeLogFileName(localDate, directory);
    if (!name)
        return false;
    descriptor_ = CreateNewFile(directory / *name);
    if (descriptor_ < 0)
        return false;
    fileName_ = *name;
    linesWritten_ = linesSynced_ = 0;
    closing_ = failed_ = false;
    syncer_ = std::thread([this, sync = sync_] { SyncUntilClosed(sync); });
    return true;
}

bool TelegramLog::Close() {
    if (descriptor_ < 0)
        return true;
    {
        std::lock_guard lock(mutex_);
        closing_ = true;
    }
    wake_.notify_one();
    syncer_.join();
    CloseFile(descriptor_);
    descriptor_ = -1;
    return !failed_;
}

bool TelegramLog::Write(std::string_view text) {
    if (descriptor_ < 0)
        return false;
    {
        std::lock_guard lock(mutex_);
        if (failed_)
            return false;
    }
    std::string line(text);
    line += "\r\n";
    const bool written = AppendBytes(descriptor_, line);
    {
        std::lock_guard lock(mutex_);
        if (!written) {
            failed_ = true;
            return false;
        }
        ++linesWritten_;
    }
    wake_.notify_one();
    return true;
}

void TelegramLog::SyncUntilClosed(const Sync& sync) {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return closing_ || linesWritten_ > linesSynced_; });
        if (linesWritten_ == linesSynced_)
            return;  // closing, and everything is on stable storage
        // Every line written up to here is covered by this one sync.
        const std::uint64_t covered = linesWritten_;
        lock.unlock();
        const bool synced = sync(descriptor_);
        lock.lock();
        failed_ = failed_ || !synced;
        linesSynced_ = covered;
    }
}

}  // namespace qvt
