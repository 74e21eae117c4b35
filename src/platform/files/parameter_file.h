#pragma once

#include <string>

#include "core/parameter_record.h"

namespace qvt {

// Parameter files (.QVC) on disk; the format itself is in core/qvc_file.h.

// Reads the file into the record. False, with the record unchanged, when the
// file cannot be opened or read, is no plain file (a pipe or device is never
// waited on), or names a device type other than 0..2. A file shorter than 76
// bytes fills what it holds, and nothing beyond the first 76 bytes is read.
bool LoadParameterFile(const std::string& path, ParameterRecord& record);

// Replaces the file as a whole (see ReplaceFileContents), so the previous
// file stays intact unless the complete new one is in place. An existing
// target keeps its permissions; a link is followed. A target that is no plain
// file or cannot be written (read-only file, missing folder, folder not
// writable, disk full) gives false and leaves the old file as it was.
bool SaveParameterFile(const std::string& path, const ParameterRecord& record);

}  // namespace qvt
