#include "platform/qt/help_window.h"

#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

// Resources of a static library must be registered from outside any namespace.
static void InitHelpResources() {
    Q_INIT_RESOURCE(help);
}

namespace qvt::help {

HelpWindow& HelpWindow::Instance() {
    static HelpWindow* window = new HelpWindow;  // lives until the process ends
    return *window;
}

HelpWindow::HelpWindow() : QWidget(nullptr, Qt::Window) {
    InitHelpResources();
    setObjectName("HelpWindow");
    setWindowTitle("QVT410 - Hilfe");
    resize(560, 480);

    browser_ = new QTextBrowser(this);
    browser_->setObjectName("HelpBrowser");
    browser_->setOpenLinks(true);
    browser_->setSearchPaths({":/help"});

    auto* contents = new QPushButton("&Inhalt", this);
    auto* index = new QPushButton("I&ndex", this);
    auto* back = new QPushButton("&Zurück", this);
    auto* close = new QPushButton("&Schließen", this);
    connect(contents, &QPushButton::clicked, this, [this] { Show({Command::Contents, 0}); });
    connect(index, &QPushButton::clicked, this, [this] { Show({Command::Index, 0}); });
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(contents);
    buttons->addWidget(index);
    buttons->addWidget(back);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_, 1);
}

QString HelpWindow::PageFor(const Request& request) {
    InitHelpResources();
    switch (request.command) {
        case Command::Contents:
            return "qrc:/help/contents.html";
        case Command::Index:
            return "qrc:/help/index.html";
        case Command::Context:
            break;
    }
    const QString page = QString(":/help/topic-%1.html").arg(request.context);
    // A context without its own topic leads to the contents page.
    return QFile::exists(page) ? "qrc" + page : "qrc:/help/contents.html";
}

void HelpWindow::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_F1:
            Show({Command::Contents, 0});
            return;
        case Qt::Key_Escape:
            close();
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

void HelpWindow::Show(const Request& request) {
    browser_->setSource(QUrl(PageFor(request)));
    show();
    raise();
    activateWindow();
}

void InstallHelpWindow() {
    SetHandler([](const Request& request) { HelpWindow::Instance().Show(request); });
}

}  // namespace qvt::help
