#include "platform/append_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace qvt {

int CreateNewFile(const std::filesystem::path& path) {
    // O_EXCL: a name that appeared since it was looked at is not overwritten.
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
}

bool AppendBytes(int descriptor, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(descriptor, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

bool SyncFileData(int descriptor) {
    int result;
    do {
        result = ::fdatasync(descriptor);
    } while (result != 0 && errno == EINTR);
    return result == 0;
}

void CloseFile(int descriptor) {
    if (descriptor >= 0)
        ::close(descriptor);
}

}  // namespace qvt
