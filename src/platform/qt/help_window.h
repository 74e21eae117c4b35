#pragma once

#include <QWidget>

#include "platform/help.h"

class QTextBrowser;
class QPushButton;
class QKeyEvent;

namespace qvt::help {

// The help window: German topics shipped as HTML resources, one per help
// context number, plus a contents page and an index. Created on first use.
class HelpWindow : public QWidget {
    Q_OBJECT
  public:
    static HelpWindow& Instance();

    void Show(const Request& request);

    // The resource page that answers a request ("qrc:/help/topic-21.html").
    static QString PageFor(const Request& request);

  protected:
    // F1 leads to the contents, as it does in the main window's help menu;
    // Esc closes the window.
    void keyPressEvent(QKeyEvent* event) override;

  private:
    HelpWindow();

    QTextBrowser* browser_ = nullptr;
};

// Sends every help request to the help window (the program's handler).
void InstallHelpWindow();

}  // namespace qvt::help
