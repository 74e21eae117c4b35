#include "platform/files/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "platform/append_file.h"
#include "platform/files/regular_file.h"

namespace qvt {
namespace {

namespace fs = std::filesystem;

constexpr int kTemporaryNames = 100;

// A link is followed to the file it names; a dangling one is replaced itself.
std::string FollowLink(const std::string& path) {
    std::error_code error;
    if (!fs::is_symlink(path, error))
        return path;
    const fs::path resolved = fs::canonical(path, error);
    return error ? path : resolved.string();
}

// O_EXCL: a temporary name that is taken (left over from a crash, or another
// writer's) is never reused; the mode of a new file is the usual one.
int CreateTemporaryBeside(const std::string& target, std::string& temporary) {
    for (int attempt = 0; attempt < kTemporaryNames; ++attempt) {
        temporary = target + ".tmp" + std::to_string(attempt);
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

int ErrnoOr(int fallback) {
    return errno != 0 ? errno : fallback;
}

// Writes, syncs and closes the temporary file; 0 or the errno value of the failure.
int FillTemporary(int fd, std::string_view contents, const struct stat* kept) {
    errno = 0;
    int error = 0;
    if (kept && ::fchmod(fd, kept->st_mode & 07777) != 0)
        error = ErrnoOr(EPERM);
    if (error == 0 && !AppendBytes(fd, contents))
        error = ErrnoOr(EIO);
    if (error == 0 && ::fsync(fd) != 0)
        error = ErrnoOr(EIO);
    if (::close(fd) != 0 && error == 0)
        error = ErrnoOr(EIO);
    return error;
}

// The rename reaches the disk with the folder that holds the name.
void SyncFolderOf(const std::string& target) {
    const std::string folder = fs::path(target).parent_path().string();
    const int dir =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

}  // namespace

int ReplaceFileContents(const std::string& path, std::string_view contents) {
    const std::string target = FollowLink(path);
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (!exists && errno != ENOENT)
        return ErrnoOr(EIO);
    if (exists) {
        // Renaming over a folder or a device node would destroy it, and
        // renaming over a file the user may not write would bypass its
        // protection.
        if (!S_ISREG(existing.st_mode))
            return kNotAPlainFile;
        errno = 0;
        if (!OpenRegularFile(target, FileAccess::kUpdate))
            return ErrnoOr(EACCES);
    }
    std::string temporary;
    const int fd = CreateTemporaryBeside(target, temporary);
    if (fd < 0)
        return ErrnoOr(EIO);
    int error = FillTemporary(fd, contents, exists ? &existing : nullptr);
    if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0)
        error = ErrnoOr(EIO);
    if (error != 0) {
        ::unlink(temporary.c_str());
        return error;
    }
    SyncFolderOf(target);
    return 0;
}

}  // namespace qvt
