#include "shell/app_icon.h"

// The icon's resource lives in a static library; it must be registered by name.
static void InitIconResources() {
    Q_INIT_RESOURCE(icons);
}

namespace qvt {

QIcon ApplicationIcon() {
    InitIconResources();
    return QIcon(":/icons/qvt410.png");
}

}  // namespace qvt
