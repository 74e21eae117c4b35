#pragma once

#include <string>
#include <string_view>

namespace qvt {

// What ReplaceFileContents gives for a name that stands for something other
// than a plain file (a folder, a device, a pipe): such a thing is never replaced.
inline constexpr int kNotAPlainFile = -1;

// Gives the file at path exactly these contents, so that a crash, a full disk
// or a pulled stick leaves either the old file or the new one, never a mix:
// the contents go to a new file beside the target (the first free name of
// name.tmp0 .. name.tmp99), are put on the disk and renamed over the target,
// and the rename is put on the disk with the folder. A link is followed, so
// the file it points to gets the contents and the link stays. An existing
// target keeps its permissions; a new one gets those of any new file. A
// target that is no plain file, or that the user may not write, is left
// alone. 0 on success, otherwise an errno value or kNotAPlainFile.
int ReplaceFileContents(const std::string& path, std::string_view contents);

}  // namespace qvt
