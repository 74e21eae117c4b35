#pragma once

#include <string>

#include "platform/files/regular_file.h"

namespace qvt {

// A firmware file opened for reading, or what stands in the way.
struct FirmwareFile {
    UniqueFile file;
    // Empty when the file is open; otherwise the end of a sentence about
    // the file: "nicht gefunden" when nothing of that name is there,
    // "kann nicht gelesen werden: <why>" when something is there that
    // cannot be read (no permission, a folder, a pipe or a device).
    std::string problem;
};

// Opens a firmware file read-only: the exact name, or the one plain file in
// its folder that differs only in letter case (firmware comes from DOS).
// A pipe or a device is refused without being waited on: opening a pipe
// blocks until someone writes to it, and nothing would ever come.
FirmwareFile OpenFirmwareFile(const std::string& name);

}  // namespace qvt
