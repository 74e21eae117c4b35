#include "platform/files/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qvt {
namespace {

struct Mode {
    int flags;
    const char* stdioMode;
};

Mode ModeFor(FileAccess access) {
    switch (access) {
        case FileAccess::Read:
            return {O_RDONLY, "rb"};
        case FileAccess::Update:
            return {O_RDWR, "rb+"};
        case FileAccess::AppendOrCreate:
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
    // A name that already stands for something else is not even opened:
    // opening a device can have effects of its own (a tape rewinds, a serial
    // line raises its control lines).
    struct stat st {};
    if (stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
        return nullptr;
    const Mode mode = ModeFor(access);
    // O_NONBLOCK keeps the open itself from waiting should the name have been
    // replaced by a pipe or device since the check above; the descriptor's
    // own type then decides.
    const int fd = open(path.c_str(), mode.flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0)
        return nullptr;
    const int flags = fcntl(fd, F_GETFL);
    if (!IsRegular(fd) || flags < 0 || fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        close(fd);
        return nullptr;
    }
    std::FILE* file = fdopen(fd, mode.stdioMode);
    if (!file)
        close(fd);
    return UniqueFile(file);
}

}  // namespace qvt
