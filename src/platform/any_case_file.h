#pragma once

#include <string>

namespace qvt {

// Firmware files come from DOS and Windows machines, where EVTPT_I.HEX,
// evtpt_i.hex and Evtpt_I.Hex are one file. Returns path when a file of
// exactly that name exists; otherwise the single regular file in the same
// folder whose name differs only in the case of ASCII letters; otherwise
// (none, or several to choose from) path unchanged, so that opening it fails
// under the name that was looked for.
std::string FindFileAnyCase(const std::string& path);

}  // namespace qvt
