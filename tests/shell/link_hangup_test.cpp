// The device disappears in the middle of its telegrams (the simulator is
// killed): the program stays usable, the log file stays whole, and the port
// can be opened again.
#include <QAction>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include <QPushButton>

#include "dialogs/pc_serial_port_dialog.h"
#include "support/controls.h"
#include "support/link_fixture.h"
#include "trend/model/trend_span.h"

namespace {

QStringList LogLines(const QString& path, QByteArray* raw = nullptr) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = f.readAll();
    if (raw)
        *raw = bytes;
    QStringList lines = QString::fromLatin1(bytes).split("\r\n");
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    return lines;
}

}  // namespace

class LinkHangUpTest : public QObject {
    Q_OBJECT
  private slots:
    void killedDeviceLeavesTheProgramUsable() {
        QTemporaryDir links;
        const QString port = links.filePath("ttyQVT");
        const QStringList options{"--link", port, "--numbered", "--cycle", "0", "--baud", "19200"};
        auto device = std::make_unique<DevSimProcess>(options);
        QVERIFY(device->Start());
        LinkFixture app(port.toStdString());
        QVERIFY(app.link().port().IsOpen());
        ActionNamed(*app.form, "InDateispeichern1")->trigger();
        const QString logPath =
            app.dir.filePath(QString::fromStdString(app.link().log().fileName()));
        QTRY_VERIFY_WITH_TIMEOUT(app.link().monitorStats().telegrams >= 30, 10000);

        device->Kill();
        QTRY_VERIFY_WITH_TIMEOUT(!app.link().port().IsOpen(), 2000);
        const std::int64_t received = app.link().monitorStats().telegrams;

        // Nothing keeps the program busy: the event loop turns at once and
        // the monitor sees nothing more.
        QElapsedTimer timer;
        timer.start();
        bool ticked = false;
        QTimer::singleShot(0, [&] { ticked = true; });
        QTRY_VERIFY_WITH_TIMEOUT(ticked, 200);
        QVERIFY(timer.elapsed() < 200);
        const std::int64_t busy = app.link().monitorStats().busyNanoseconds;
        QTest::qWait(300);
        QCOMPARE(app.link().monitorStats().busyNanoseconds, busy);
        QCOMPARE(app.link().monitorStats().telegrams, received);

        // Every telegram received is in the log, whole, in order, none twice.
        QByteArray raw;
        const QStringList lines = LogLines(logPath, &raw);
        QCOMPARE(lines.size(), int(received));
        QVERIFY(raw.endsWith("\r\n"));
        static const QRegularExpression kLine(R"(^\d\d\.\d\d\.\d\d \d\d:\d\d:\d\d\+(\d{7})C$)");
        int previous = 0;
        // The device was already sending when the port opened: the first line
        // may be the tail of a telegram.
        for (const QString& line : lines.mid(kLine.match(lines.front()).hasMatch() ? 0 : 1)) {
            const QRegularExpressionMatch m = kLine.match(line);
            QVERIFY2(m.hasMatch(), qPrintable(line));
            const int number = m.captured(1).toInt();
            QVERIFY2(previous == 0 || number == previous + 1, qPrintable(line));
            previous = number;
        }

        // Sending fails as with no device at all, and the program goes on.
        app.link().SendParameters();
        QCOMPARE(app.messages.back(),
                 QString::fromUtf8("Fehler: Fehler bei der Übertragung der Parameter"));

        // The device is back under the same name; "PC-SIO..." opens it again
        // and logging continues in the same file.
        device = std::make_unique<DevSimProcess>(options);
        QVERIFY(device->Start());
        qvt::dialogs::PcSerialPortDialog* dialog = app.form->dialogs().pcSerialPortDialog;
        QTimer::singleShot(0, dialog, [dialog] {
            QTest::mouseClick(Control<QPushButton>(dialog, "OKBtn"), Qt::LeftButton);
        });
        app.link().ChoosePcSerialPort();
        QVERIFY(app.link().port().IsOpen());
        QTRY_VERIFY_WITH_TIMEOUT(app.link().monitorStats().telegrams >= received + 5, 10000);
        const QStringList after = LogLines(logPath);
        QVERIFY(after.size() >= lines.size() + 5);
        QCOMPARE(after.mid(0, lines.size()), lines);
        QVERIFY2(kLine.match(after.at(lines.size())).hasMatch(),
                 qPrintable(after.at(lines.size())));

        // In the trend the first telegram after the reconnection starts a
        // line of its own, however soon it came: none is drawn across the loss.
        const qvt::TrendHistory& trend = app.link().trendHistory();
        QCOMPARE(std::int64_t(trend.size()), app.link().monitorStats().telegrams);
        for (std::size_t i = 0; i < trend.size(); ++i)
            QCOMPARE(trend[i].afterInterruption, i == std::size_t(received));
        QCOMPARE(qvt::PlotRunsOf(trend, {0, trend.size()}).size(), std::size_t(2));
    }
};

QTEST_MAIN(LinkHangUpTest)
#include "link_hangup_test.moc"
