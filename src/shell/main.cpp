// QVT410: parametrising, monitoring and programming QVT panel meters.
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "platform/help.h"
#include "platform/qt/help_window.h"
#include "platform/settings_reader.h"
#include "shell/app_icon.h"
#include "shell/main_window.h"
#include "shell/parameter_commands.h"
#include "shell/quit_on_terminate.h"
#include "shell/start_request.h"
#include "shell/startup.h"

int main(int argc, char* argv[]) {
    const qvt::StartRequest request = qvt::HandleCommandLine(argc, argv);
    if (request.exitCode)
        return *request.exitCode;
    QApplication app(argc, argv);
    qvt::QuitOnTerminate();
    QApplication::setApplicationName("QVT410");
    QApplication::setWindowIcon(qvt::ApplicationIcon());
    QApplication::setQuitOnLastWindowClosed(false);
    // The classic look the technicians know: group titles sit in the frame line.
    QApplication::setStyle("Windows");
    app.setProperty("helpFile", qvt::help::kHelpFileName);
    qvt::help::InstallHelpWindow();

    // Every text the user sees is German, Qt's standard dialogs included.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QTranslator qtGerman;
    if (qtGerman.load(QLocale(QLocale::German), "qtbase", "_",
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtGerman);
    }

    qvt::AppContext context;
    context.settings = qvt::ReadPlatformSettings();

    const std::unique_ptr<qvt::MainWindow> window = qvt::StartApplication(context);
    if (!window)
        return 1;
    window->show();
    if (!request.file.empty())
        window->parameterCommands().LoadFile(QString::fromStdString(request.file));
    return QApplication::exec();
}
