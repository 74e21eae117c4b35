// qvt-catalogue-doc: prints the user guide's table of firmware files, or
// checks or rewrites the table in a document between its two marker lines.
//   qvt-catalogue-doc                  print the table
//   qvt-catalogue-doc --check FILE.md  exit 1 when the file's table differs
//   qvt-catalogue-doc --write FILE.md  put the current table into the file
#include <QCoreApplication>
#include <QFile>
#include <cstdio>

#include "firmware_table.h"

namespace {

const QString kBegin = "<!-- firmware table: made by qvt-catalogue-doc, do not edit -->\n";
const QString kEnd = "<!-- end of firmware table -->\n";

int Fail(const QString& text) {
    std::fprintf(stderr, "qvt-catalogue-doc: %s\n", qPrintable(text));
    return 1;
}

}  // namespace

int main(int argc, char* argv[]) {
    const QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    const QString table = FirmwareTable();
    if (args.isEmpty()) {
        std::fputs(table.toUtf8().constData(), stdout);
        return 0;
    }
    if (args.size() != 2 || (args[0] != "--check" && args[0] != "--write"))
        return Fail("usage: qvt-catalogue-doc [--check|--write FILE.md]");

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
                    "    build/bin/qvt-catalogue-doc --write " +
                    args[1]);
    }
    QString updated = text;
    updated.replace(tableStart, end - tableStart, table);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(updated.toUtf8()) < 0)
        return Fail(args[1] + ": " + file.errorString());
    return 0;
}
