#pragma once

#include <filesystem>
#include <string_view>

namespace qvt {

// A file written front to back through its descriptor: created new, never
// over an existing name; every piece handed to the system with write(2), so
// it is in the file (and seen by every reader) at once, and put on stable
// storage only when asked.

// Creates the file for writing; -1 when the name exists already (a dangling
// link included) or the file cannot be created.
int CreateNewFile(const std::filesystem::path& path);

// Hands all bytes to the system; false on an error (disk full, medium gone).
bool AppendBytes(int descriptor, std::string_view bytes);

// Puts the file's written data on stable storage; false when it fails.
bool SyncFileData(int descriptor);

void CloseFile(int descriptor);

}  // namespace qvt
