#pragma once

#include <QString>

#include "core/platform_settings.h"

namespace qvt {

// Reads QVT410.INI; a missing file, key or unreadable value keeps the default.
PlatformSettings ReadPlatformSettings(const QString& path = kPlatformSettingsFileName);

}  // namespace qvt
