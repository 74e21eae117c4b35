#include "shell/app_icon.h"

// The icon's resource lives in a static library; it must be registered by name.
static void InitIconResources() {
    Q_INIT_RESOURCE(icons);
}

namespace qvt {

QIcon ApplicationIcon() {
    InitIconResources();
    // The same PNGs the package installs into the hicolor theme; the small
    // ones are drawn for their size, not scaled down from the large one.
    QIcon icon;
    for (const int size : kApplicationIconSizes)
        icon.addFile(QString(":/icons/hicolor/%1x%1/apps/de.qvt.qvt410.png").arg(size),
                     QSize(size, size));
    return icon;
}

}  // namespace qvt
