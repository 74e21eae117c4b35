#include "platform/files/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/files/atomic_file.h"

namespace qvt {
namespace {

struct Mode {
    int flags;
    const char* stdioMode;
};

Mode ModeFor(FileAccess access) {
    switch (access) {
        case FileAccess::kRead:
            return {O_RDONLY, "rb"};
        case FileAccess::kUpdate:
            return {O_RDWR, "rb+"};
        case FileAccess::kAppendOrCreate:
            break;
    }
    return {O_RDWR | O_APPEND | O_CREAT, "ab+"};
}

bool IsRegular(int fd) {
    struct stat st {};
    return fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

UniqueFile OpenRegularFile(const std::string& path, FileAccess access) {
    int error = 0;
    return OpenRegularFile(path, access, error);
}

UniqueFile OpenRegularFile(const std::string& path, FileAccess access, int& error) {
    error = 0;
    // A name that already stands for something else is not even opened:
    // opening a device can have effects of its own (a tape rewinds, a serial
    // line raises its control lines).
    struct stat st {};
    if (stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
        error = S_ISDIR(st.st_mode) ? EISDIR : kNotAPlainFile;
        return nullptr;
    }
    const Mode mode = ModeFor(access);
    // O_NONBLOCK keeps the open itself from waiting should the name have been
    // replaced by a pipe or device since the check above; the descriptor's
    // own type then decides.
    const int fd = open(path.c_str(), mode.flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0) {
        error = errno;
        return nullptr;
    }
    if (!IsRegular(fd)) {
        close(fd);
        error = kNotAPlainFile;
        return nullptr;
    }
    const int flags = fcntl(fd, F_GETFL);
    if (flags < 0 || fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        error = errno;
        close(fd);
        return nullptr;
    }
    std::FILE* file = fdopen(fd, mode.stdioMode);
    if (!file) {
        error = errno;
        close(fd);
    }
    return UniqueFile(file);
}

}  // namespace qvt
