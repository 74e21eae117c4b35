// qvt-catalogue-doc: prints the README's table of firmware files, or checks
// or rewrites the table in a README between its two marker lines.
//   qvt-catalogue-doc                    print the table
//   qvt-catalogue-doc --check README.md  exit 1 when the README's table differs
//   qvt-catalogue-doc --write README.md  put the current table into the README
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

#include "firmware_table.h"
#include "shell/main_window.h"

namespace {

const QString kBegin = "<!-- firmware table: made by qvt-catalogue-doc, do not edit -->\n";
const QString kEnd = "<!-- end of firmware table -->\n";

QString CurrentTable() {
    // The window keeps its settings file in the working folder, and is kept
    // away from every real port.
    QTemporaryDir folder;
    QDir::setCurrent(folder.path());
    qvt::AppContext context;
    context.settings.serialDevices.fill(folder.filePath("no-port").toStdString());
    context.settings.parallelAccess = qvt::ParallelAccess::None;
    TForm1 form(context);
    form.CreateDialogs();
    return FirmwareTable(form);
}

int Fail(const QString& text) {
    std::fprintf(stderr, "qvt-catalogue-doc: %s\n", qPrintable(text));
    return 1;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments().mid(1);
    const QString startFolder = QDir::currentPath();
    const QString table = CurrentTable();
    QDir::setCurrent(startFolder);
    if (args.isEmpty()) {
        std::fputs(table.toUtf8().constData(), stdout);
        return 0;
    }
    if (args.size() != 2 || (args[0] != "--check" && args[0] != "--write"))
        return Fail("usage: qvt-catalogue-doc [--check|--write README.md]");

    QFile file(args[1]);
    if (!file.open(QIODevice::ReadOnly))
        return Fail(args[1] + ": " + file.errorString());
    const QString text = QString::fromUtf8(file.readAll());
    file.close();
    const qsizetype begin = text.indexOf(kBegin);
    const qsizetype end = text.indexOf(kEnd, begin);
    if (begin < 0 || end < 0)
        return Fail(args[1] + ": the marker lines of the firmware table are missing");
    const qsizetype tableStart = begin + kBegin.size();
    if (args[0] == "--check") {
        if (text.mid(tableStart, end - tableStart) == table)
            return 0;
        return Fail(args[1] +
                    ": the firmware table differs from the catalogue; regenerate it with\n"
                    "    build/bin/qvt-catalogue-doc --write README.md");
    }
    QString updated = text;
    updated.replace(tableStart, end - tableStart, table);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(updated.toUtf8()) < 0)
        return Fail(args[1] + ": " + file.errorString());
    return 0;
}
