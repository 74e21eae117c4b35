#include "shell/startup.h"

#include "shell/main_window.h"

namespace qvt {

std::unique_ptr<MainWindow> StartApplication(AppContext& context) {
    std::unique_ptr<MainWindow> window(new MainWindow(context));
    if (!window->StartUp())
        return nullptr;
    window->StartMonitoring();
    return window;
}

}  // namespace qvt
