#pragma once

#include <QWidget>

#include "platform/help.h"

class QTextBrowser;
class QPushButton;
class QKeyEvent;

namespace qvt::help {

// The help window: German topics as HTML pages, one per help context number,
// plus a contents page and an index. Created on first use.
class HelpWindow : public QWidget {
    Q_OBJECT
  public:
    static HelpWindow& Instance();

    void Show(const Request& request);

    // The page that answers a request: from the installed help when there
    // ("file:///usr/share/qvt410/help/topic-21.html"), else from the pages
    // built in ("qrc:/help/topic-21.html").
    static QString PageFor(const Request& request);
    // The same from the given folder of help pages.
    static QString PageFor(const Request& request, const QString& folder);
    // share/qvt410/help beside the program's bin folder when the help is
    // installed there, else ":/help".
    static QString Folder();

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
