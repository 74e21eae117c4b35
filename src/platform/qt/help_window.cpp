#include "platform/qt/help_window.h"

#include <QCoreApplication>
#include <QDir>
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
    browser_->setSearchPaths({Folder()});

    auto* contents = new QPushButton("&Inhalt", this);
    auto* index = new QPushButton("I&ndex", this);
    auto* back = new QPushButton("&Zurück", this);
    auto* close = new QPushButton("&Schließen", this);
    connect(contents, &QPushButton::clicked, this, [this] { Show({Command::kContents, 0}); });
    connect(index, &QPushButton::clicked, this, [this] { Show({Command::kIndex, 0}); });
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

QString HelpWindow::Folder() {
    InitHelpResources();
    // A package installs the pages (so a corrected page needs no new
    // program); a program run from its build tree uses the ones built in.
    const QDir installed(QCoreApplication::applicationDirPath() + "/" QVT_HELP_FROM_BINDIR);
    return installed.exists("contents.html") ? installed.absolutePath() : ":/help";
}

QString HelpWindow::PageFor(const Request& request) {
    return PageFor(request, Folder());
}

QString HelpWindow::PageFor(const Request& request, const QString& folder) {
    const auto url = [&folder](const QString& name) {
        const QString path = folder + "/" + name;
        return folder.startsWith(':') ? "qrc" + path : QUrl::fromLocalFile(path).toString();
    };
    switch (request.command) {
        case Command::kContents:
            return url("contents.html");
        case Command::kIndex:
            return url("index.html");
        case Command::kContext:
            break;
    }
    const QString topic = QString("topic-%1.html").arg(request.context);
    // A context without its own topic leads to the contents page.
    return QFile::exists(folder + "/" + topic) ? url(topic) : url("contents.html");
}

void HelpWindow::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_F1:
            Show({Command::kContents, 0});
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
