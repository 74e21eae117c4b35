#pragma once

#include <cstdio>
#include <memory>
#include <string>

namespace qvt {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using UniqueFile = std::unique_ptr<std::FILE, FileCloser>;

enum class FileAccess {
    kRead,            // "rb": an existing file, read only
    kUpdate,          // "rb+": an existing file, read and written in place
    kAppendOrCreate,  // "ab+": read and appended, created empty when missing
};

// Opens a plain file and nothing else. A pipe, a device, a socket or a folder
// of that name is refused without waiting: opening a pipe for reading waits
// for a writer, and a serial device may wait for its line, so such a name
// must never stall the program. Empty when the file is missing (and not to be
// created), is no plain file, or may not be used.
UniqueFile OpenRegularFile(const std::string& path, FileAccess access);

// The same, and when nothing opened, why: an errno value, or kNotAPlainFile
// (platform/files/atomic_file.h) for a name that stands for something else.
UniqueFile OpenRegularFile(const std::string& path, FileAccess access, int& error);

}  // namespace qvt
