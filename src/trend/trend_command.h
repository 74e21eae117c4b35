#pragma once

#include <QObject>

#include "core/parameter_record.h"
#include "trend/model/trend_history.h"

class QAction;
class QWidget;

namespace qvt::trend {

class TrendWindow;

// "Messwertverlauf...": opens the trend window beside the main window, or
// raises it when it is open already. The window is made at the first use
// and kept, so it keeps its span, pause and scale while hidden.
class TrendCommand : public QObject {
    Q_OBJECT
  public:
    TrendCommand(QWidget& mainWindow, QAction* item, const qvt::TrendHistory& history,
                 const qvt::ParameterRecord& record);

    void Open();
    // Null until the window was first opened.
    TrendWindow* window() const { return window_; }

  private:
    void PlaceBesideMainWindow();

    QWidget& mainWindow_;
    const qvt::TrendHistory& history_;
    const qvt::ParameterRecord& record_;
    TrendWindow* window_ = nullptr;
};

}  // namespace qvt::trend
