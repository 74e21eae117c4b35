#pragma once

// What every fuzz target shares: a check that stays in every build type, and
// a file in memory that the readers open by name like any other.

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace qvt::fuzz {

[[noreturn]] inline void CheckFailed(const char* condition, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: broken: %s\n", file, line, condition);
    std::abort();
}

}  // namespace qvt::fuzz

// Unlike assert, also in release builds: a broken promise ends the run with a
// crash that libFuzzer keeps as a reproducer.
#define FUZZ_CHECK(condition) \
    ((condition) ? (void)0 : qvt::fuzz::CheckFailed(#condition, __FILE__, __LINE__))

namespace qvt::fuzz {

// A plain file without a disk: the readers see a regular file of exactly the
// given bytes under path(), which costs no disk time per input.
class MemoryFile {
  public:
    MemoryFile() : fd_(memfd_create("qvt-fuzz-input", MFD_CLOEXEC)) {
        if (fd_ < 0)
            CheckFailed("memfd_create", __FILE__, __LINE__);
        path_ = "/proc/self/fd/" + std::to_string(fd_);
    }
    ~MemoryFile() { close(fd_); }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    void Fill(const std::uint8_t* data, std::size_t size) {
        if (ftruncate(fd_, 0) != 0 || pwrite(fd_, data, size, 0) != static_cast<ssize_t>(size))
            CheckFailed("memory file written", __FILE__, __LINE__);
    }
    off_t size() const { return lseek(fd_, 0, SEEK_END); }
    const std::string& path() const { return path_; }

  private:
    int fd_;
    std::string path_;
};

// A small generator for decisions that must not cost input bytes (where a
// stream is cut, how long the line is quiet): the same input decides the same.
class Decisions {
  public:
    explicit Decisions(std::uint32_t seed) : state_(seed * 2654435761u + 1) {}
    std::uint32_t Next(std::uint32_t below) {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_ % below;
    }

  private:
    std::uint32_t state_;
};

}  // namespace qvt::fuzz
