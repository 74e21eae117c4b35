#include "link/telegram_log.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

namespace qvt {

std::string LogFileName(const std::tm& d, char letter) {
    char name[64];
    std::snprintf(name, sizeof name, "%02d%02d%02d_%c.QVT", d.tm_mday, d.tm_mon + 1,
                  (d.tm_year + 1900) % 100, letter);
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
    // O_EXCL: a name that appeared since the check is not overwritten.
    const std::string path = (directory / *name).string();
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    file_ = ::fdopen(fd, "wb");
    if (!file_) {
        ::close(fd);
        return false;
    }
    fileName_ = *name;
    return true;
}

void TelegramLog::Close() {
    if (file_)
        std::fclose(file_);
    file_ = nullptr;
}

bool TelegramLog::Write(std::string_view text) {
    if (!file_)
        return false;
    const bool written = std::fwrite(text.data(), 1, text.size(), file_) == text.size() &&
                         std::fwrite("\r\n", 1, 2, file_) == 2 && std::fflush(file_) == 0;
    return written && ::fdatasync(::fileno(file_)) == 0;
}

}  // namespace qvt
