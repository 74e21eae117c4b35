#pragma once

#include <QDir>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

#include "dialogs/message_box.h"
#include "shell/app_context.h"
#include "shell/main_window.h"
#include "shell/startup.h"

// The program as it starts, in a fresh working folder of its own (it names
// its files without a folder), with each message box recorded as
// "caption: text" instead of shown.
struct AppFixture {
    AppFixture() : previousDir(QDir::currentPath()) {
        QDir::setCurrent(dir.path());
        qvt::SetMessageInterceptor([this](const QString& text, const QString& caption) {
            messages << caption + ": " + text;
        });
    }
    ~AppFixture() {
        form.reset();  // before the context it uses
        qvt::SetMessageInterceptor({});
        QDir::setCurrent(previousDir);
    }
    AppFixture(const AppFixture&) = delete;
    AppFixture& operator=(const AppFixture&) = delete;

    // Starts the window (again) on the context as it is now, through the one
    // start-up; nullptr when the program refuses to start.
    qvt::MainWindow* Start() {
        form.reset();
        form = qvt::StartApplication(context);
        return form.get();
    }

    QTemporaryDir dir;
    QString previousDir;
    qvt::AppContext context;
    QStringList messages;
    std::unique_ptr<qvt::MainWindow> form;
};
