#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <future>
#include <string>

// Puts at path what a folder or a share can hold instead of a plain file:
// "pipe" (a named pipe), "device" (/dev/zero, endless zero bytes), "folder",
// or "read error" (/proc/self/mem, a plain file whose first page gives EIO).
inline void MakeUnkind(const std::string& kind, const std::string& path) {
    namespace fs = std::filesystem;
    if (kind == "pipe")
        mkfifo(path.c_str(), 0600);
    if (kind == "device")
        fs::create_symlink("/dev/zero", path);
    if (kind == "folder")
        fs::create_directory(path);
    if (kind == "read error")
        fs::create_symlink("/proc/self/mem", path);
}

// Runs call and tells whether it came back within a second. A call stuck on the
// pipe at path (in open or read, waiting for a writer) is then released by
// writing to it, so the test fails instead of hanging.
template <class Call>
bool ReturnsWithoutWaiting(const std::string& path, Call call) {
    auto done = std::async(std::launch::async, call);
    const bool quick = done.wait_for(std::chrono::seconds(1)) == std::future_status::ready;
    if (!quick) {
        const int writer = open(path.c_str(), O_WRONLY | O_NONBLOCK);
        const char fill[128] = {};
        (void)!write(writer, fill, sizeof fill);
        close(writer);
    }
    done.get();
    return quick;
}
