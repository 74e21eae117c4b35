#pragma once

#include <memory>

#include "shell/app_context.h"

namespace qvt {

class MainWindow;

// Builds the main window with its menus, dialogs and commands and runs the
// start-up: a window ready to be shown, or nullptr when the program cannot
// start because the configuration file could be neither read nor created
// (the warning has been shown then).
std::unique_ptr<MainWindow> StartApplication(AppContext& context);

}  // namespace qvt
