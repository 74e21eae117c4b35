#pragma once

#include <QString>
#include <cstdint>

#include "core/platform_settings.h"

namespace qvt {

// QVT410.INI holds a few short lines; a file larger than this is no settings
// file of ours, and reading it whole would take as much memory as it has.
inline constexpr std::uintmax_t kLargestSettingsFile = std::uintmax_t{64} * 1024;

// Reads QVT410.INI; a missing file, key or unreadable value keeps the default,
// and so does a file that is not plain (a pipe would stop the start until
// someone writes to it, a device may never end) or larger than the above.
PlatformSettings ReadPlatformSettings(const QString& path = kPlatformSettingsFileName);

}  // namespace qvt
