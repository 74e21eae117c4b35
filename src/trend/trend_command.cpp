#include "trend/trend_command.h"

#include <QAction>
#include <QScreen>
#include <QWidget>
#include <algorithm>

#include "trend/trend_window.h"

namespace qvt::trend {

TrendCommand::TrendCommand(QWidget& mainWindow, QAction* item, const qvt::TrendHistory& history,
                           const qvt::ParameterRecord& record)
    : QObject(&mainWindow), mainWindow_(mainWindow), history_(history), record_(record) {
    connect(item, &QAction::triggered, this, &TrendCommand::Open);
}

void TrendCommand::Open() {
    const bool first = window_ == nullptr;
    if (first)
        window_ = new TrendWindow(history_, record_, &mainWindow_);
    window_->Redraw();
    window_->show();
    if (first)
        PlaceBesideMainWindow();
    window_->raise();
    window_->activateWindow();
}

// Right of the main window when the screen has room, else left of it, else
// as far right as the screen allows; never over the main window's top edge.
void TrendCommand::PlaceBesideMainWindow() {
    const QRect main = mainWindow_.frameGeometry();
    const QRect screen = mainWindow_.screen()->availableGeometry();
    const QSize size = window_->frameGeometry().size();
    int left = main.right() + 1;
    if (left + size.width() > screen.right() + 1)
        left = main.left() - size.width() >= screen.left() ? main.left() - size.width()
                                                           : screen.right() + 1 - size.width();
    const int top = std::clamp(main.top(), screen.top(),
                               std::max(screen.top(), screen.bottom() + 1 - size.height()));
    window_->move(std::max(left, screen.left()), top);
}

}  // namespace qvt::trend
