#pragma once

#include "core/application_state.h"
#include "core/parameter_record.h"
#include "core/platform_settings.h"

namespace qvt {

// The one parameter record and the PC-side state of this run, with the
// platform settings read at start. Owned by main() and handed by reference to
// the windows and commands, so tests can give each case its own.
struct AppContext {
    ParameterRecord record;
    ApplicationState state;
    PlatformSettings settings;
};

}  // namespace qvt
