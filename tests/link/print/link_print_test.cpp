// Telegram pages through the real printing path: the default printer of a
// CUPS server of the tests' own, a PDF queue whose output is read back.
#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include "support/link_fixture.h"

namespace {

QString OutputDir() {
    return qEnvironmentVariable("QVT_PRINT_OUT");
}

QStringList Pdfs() {
    return QDir(OutputDir()).entryList({"*.pdf"}, QDir::Files, QDir::Name);
}

QString Run(const QString& program, const QStringList& arguments) {
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(30000))
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

struct Word {
    QString text;
    double x = 0;
    double y = 0;
};

// The words of a PDF with their positions (points from the top left).
QList<Word> WordsOf(const QString& pdf) {
    QList<Word> words;
    static const QRegularExpression kWord(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="[\d.]+">([^<]*)</word>)re");
    const QString html = Run("pdftotext", {"-bbox", pdf, "-"});
    for (auto it = kWord.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        words.append({m.captured(3), m.captured(1).toDouble(), m.captured(2).toDouble()});
    }
    return words;
}

// Waits up to a minute for PDFs beyond `before` and returns the new ones. A
// queue that the server stopped (its backend failed, the job is held) ends
// the wait at once, with the server's error log as the reason.
QStringList NewPdfs(const QStringList& before, QString* why) {
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 60000) {
        QStringList added = Pdfs();
        for (const QString& old : before) added.removeAll(old);
        if (!added.isEmpty())
            return added;
        if (Run("lpstat", {"-p", "qvtpdf"}).contains("disabled")) {
            QFile log(QDir(OutputDir()).filePath("../log/error_log"));
            log.open(QIODevice::ReadOnly);
            *why = "the print queue stopped: " + QString::fromUtf8(log.readAll().right(2000));
            return {};
        }
        QTest::qWait(200);
    }
    *why = "no PDF within a minute; jobs: " + Run("lpstat", {"-W", "all", "-o"});
    return {};
}

}  // namespace

class LinkPrintTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        QVERIFY2(!qEnvironmentVariableIsEmpty("CUPS_SERVER"), "no test print server");
        QVERIFY2(QDir(OutputDir()).exists(), "no PDF output directory");
        QCOMPARE(QPrinterInfo::defaultPrinter().printerName(), QString("qvtpdf"));
    }

    void fortyTelegramsPrintNothing() {
        const QStringList before = Pdfs();
        const QString jobsBefore = Run("lpstat", {"-W", "all", "-o"});
        PtyPair device;
        QVERIFY(device.ok());
        LinkFixture app(device.path());
        ActionNamed(*app.form, "Drucken1")->trigger();
        device.Send(NumberedTelegrams(40, 10001));
        QTRY_COMPARE(app.link().monitorStats().telegrams, 40);
        QTest::qWait(3000);
        QCOMPARE(Pdfs(), before);
        QCOMPARE(Run("lpstat", {"-W", "all", "-o"}), jobsBefore);
        QCOMPARE(app.context.state.printLineCount, 40);
        QVERIFY(app.messages.empty());
    }

    void fortyOneTelegramsPrintOnePage() {
        const QStringList before = Pdfs();
        PtyPair device;
        QVERIFY(device.ok());
        LinkFixture app(device.path());
        ActionNamed(*app.form, "Drucken1")->trigger();
        device.Send(NumberedTelegrams(41, 20001));
        QTRY_COMPARE(app.link().monitorStats().telegrams, 41);
        QVERIFY(app.messages.empty());
        QCOMPARE(app.context.state.printPageNumber, 2);
        QCOMPARE(app.context.state.printLineCount, 0);
        QVERIFY(app.ListLines().isEmpty());

        QString why;
        const QStringList added = NewPdfs(before, &why);
        QVERIFY2(!added.isEmpty(), qPrintable(why));
        QCOMPARE(added.size(), 1);
        const QString pdf = QDir(OutputDir()).filePath(added.front());

        // The file appears before the queue has finished writing it.
        QTRY_VERIFY_WITH_TIMEOUT(Run("lpstat", {"-o"}).trimmed().isEmpty(), 60000);
        QVERIFY(Run("pdfinfo", {pdf}).contains(QRegularExpression(R"(Pages:\s+1\n)")));
        const QString text = Run("pdftotext", {pdf, "-"});
        const QStringList lines = text.split('\n', Qt::SkipEmptyParts);
        QStringList telegrams;
        for (const QString& line : lines) {
            if (line.startsWith('+'))
                telegrams << line.trimmed();
        }
        QStringList expected;
        for (int i = 0; i < 41; ++i) expected << QString("+%1").arg(20001 + i);
        QCOMPARE(telegrams, expected);
        QVERIFY2(text.contains(QRegularExpression(R"(QVT410-Daten\s+Seite 1)")), qPrintable(text));

        // Laid out for 600 dpi and scaled: lines 150 pixels (18 points)
        // apart, the footer 1000 pixels (120 points) further right than the
        // lines and 350 pixels (42 points) below the last one.
        const QList<Word> words = WordsOf(pdf);
        auto find = [&words](const QString& t) {
            for (const Word& w : words) {
                if (w.text == t)
                    return w;
            }
            return Word{};
        };
        const Word first = find("+20001");
        const Word second = find("+20002");
        const Word last = find("+20041");
        const Word footer = find("QVT410-Daten");
        QVERIFY(!first.text.isEmpty() && !last.text.isEmpty() && !footer.text.isEmpty());
        QVERIFY(qAbs(second.y - first.y - 18.0) < 0.5);
        QVERIFY(qAbs(last.y - first.y - 40 * 18.0) < 1.0);
        QVERIFY(qAbs(footer.x - first.x - 120.0) < 2.0);
        QVERIFY(footer.y - last.y > 40.0 && footer.y - last.y < 46.0);
        QFile::remove(pdf);
    }
};

QTEST_MAIN(LinkPrintTest)
#include "link_print_test.moc"
