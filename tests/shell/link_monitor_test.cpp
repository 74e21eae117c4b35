// The telegram monitor in the main window, fed through a pseudo terminal.
#include <QAction>
#include <QFontMetrics>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <atomic>

#include "platform/printer.h"
#include "support/clocks.h"
#include "support/controls.h"
#include "support/link_fixture.h"

namespace {

const QString kLong26 = "06.12.26 21:22:05+0012.34C";

void Settle() {
    QTest::qWait(30);
    QCoreApplication::processEvents();
}

using qvt::testing::FixedClock;

// A printer that keeps the pages it was given, or refuses them.
class RecordingPrinter : public qvt::Printer {
  public:
    explicit RecordingPrinter(std::vector<std::vector<qvt::PrintText>>& pages,
                              bool available = true)
        : pages_(pages), available_(available) {}
    bool Print(const std::vector<qvt::PrintText>& page) override {
        if (available_)
            pages_.push_back(page);
        return available_;
    }
    void SetAvailable(bool available) { available_ = available; }

  private:
    std::vector<std::vector<qvt::PrintText>>& pages_;
    bool available_;
};

// Logging that could not keep its lines is switched off, said once, and the
// telegrams go on being shown.
void ExpectLoggingSwitchedOffOnce(LinkFixture& app, PtyPair& device) {
    const QStringList once{"Fehler: Protokolldatei kann nicht geschrieben werden"};
    QCOMPARE(app.messages, once);
    QVERIFY(!ActionNamed(*app.form, "InDateispeichern1")->isChecked());
    QCOMPARE(app.context.state.logEnabled, 0);
    QCOMPARE(Control<QGroupBox>(*app.form, "FileGroupBox")->title(), QString(" Parameterdatei "));
    QCOMPARE(Control<QLabel>(*app.form, "FileLabel")->text(), QString("Leer"));
    device.Send("+9.876\r");
    QTRY_COMPARE(Control<QLabel>(*app.form, "SerLabel")->text(), QString("+9.876"));
    QCOMPARE(app.messages, once);
}

}  // namespace

class LinkMonitorTest : public QObject {
    Q_OBJECT
  private slots:
    void telegramFormsShowTextAndValue_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("value");
        QTest::newRow("27-byte form, LF")
            << (kLong26 + "\r\n").toLatin1() << kLong26 << "+ 0012.34";
        QTest::newRow("28-byte form")
            << QByteArray("06.12.26 21:22:05+00012.34C\r") << kLong26.left(17) + "+00012.34"
            << "+ 00012.34";
        QTest::newRow("short") << QByteArray("-12.34\r") << "-12.34"
                               << "- 12.34";
        QTest::newRow("zero bytes") << QByteArray(
                                           "-1\0"
                                           "2.3\0"
                                           "4\r",
                                           9)
                                    << "-12.34"
                                    << "- 12.34";
        QTest::newRow("degree sign") << QByteArray("+21.5\xB0\r") << QString::fromUtf8("+21.5°")
                                     << QString::fromUtf8("+ 21.5°");
    }

    void telegramFormsShowTextAndValue() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QFETCH(QString, value);
        PtyPair device;
        QVERIFY(device.ok());
        LinkFixture app(device.path());
        QVERIFY(Control<QGroupBox>(*app.form, "AnzGroupBox")->isHidden());
        QVERIFY(Control<QFrame>(*app.form, "SerPanel")->isHidden());
        device.Send(bytes.toStdString());
        QTRY_COMPARE(Control<QLabel>(*app.form, "SerLabel")->text(), text);
        QCOMPARE(Control<QLabel>(*app.form, "AnzLabel")->text(), value);
        QVERIFY(!Control<QGroupBox>(*app.form, "AnzGroupBox")->isHidden());
        QVERIFY(!Control<QFrame>(*app.form, "SerPanel")->isHidden());
        QCOMPARE(app.link().IndicatorColour(), QColor(Qt::white));
    }

    void simulatorTelegramsInEveryForm_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("textPattern");
        QTest::addColumn<QString>("value");
        const QString stamp = R"(\d\d\.\d\d\.\d\d \d\d:\d\d:\d\d)";
        QTest::newRow("27, whole") << QStringList{"--form", "27"} << stamp + R"(\+0012\.34C)"
                                   << "+ 0012.34";
        QTest::newRow("27, pieces of 4, zero bytes")
            << QStringList{"--form", "27", "--chunk", "4", "--zeros", "--value", "-0.5"}
            << stamp + "    -0.5C"
            << "     -0.5";
        QTest::newRow("28, pieces of 5")
            << QStringList{"--form", "28", "--chunk", "5"} << stamp + R"(\+00012\.34)"
            << "+ 00012.34";
        QTest::newRow("short, pieces of 2, zero bytes")
            << QStringList{"--form", "short", "--chunk", "2", "--zeros"} << R"(\+12\.34)"
            << "+ 12.34";
    }

    void simulatorTelegramsInEveryForm() {
        QFETCH(QStringList, options);
        QFETCH(QString, textPattern);
        QFETCH(QString, value);
        // The first telegram comes once the port is open, so the monitor sees
        // the stream from a telegram's start.
        DevSimProcess device(QStringList{"--cycle", "20", "--baud", "4800", "--delay", "500"} +
                             options);
        QVERIFY(device.Start());
        LinkFixture app(device.path().toStdString());
        ActionNamed(*app.form, "InDateispeichern1")->trigger();
        QTRY_VERIFY(app.link().monitorStats().telegrams >= 6);
        const QRegularExpression whole("^" + textPattern + "$");
        QVERIFY2(whole.match(Control<QLabel>(*app.form, "SerLabel")->text()).hasMatch(),
                 qPrintable(Control<QLabel>(*app.form, "SerLabel")->text()));
        QCOMPARE(Control<QLabel>(*app.form, "AnzLabel")->text(), value);
        QFile log(app.dir.filePath(QString::fromStdString(app.link().log().fileName())));
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromLatin1(log.readAll()).split("\r\n");
        QVERIFY(lines.size() >= 7);
        QCOMPARE(lines.back(), QString());
        for (const QString& line : lines.mid(0, lines.size() - 1)) {
            QVERIFY2(whole.match(line).hasMatch(), qPrintable(line));
        }
    }

    void telegramSplitAcrossReadsTurnsTheIndicatorRedUntilItsEnd() {
        PtyPair device;
        QVERIFY(device.ok());
        LinkFixture app(device.path());
        device.Send("06.12.26 21:");
        QTRY_COMPARE(app.link().IndicatorColour(), QColor(Qt::red));
        QVERIFY(Control<QGroupBox>(*app.form, "AnzGroupBox")->styleSheet().contains("#ff0000"));
        QVERIFY(Control<QGroupBox>(*app.form, "AnzGroupBox")->isHidden());
        device.Send(std::string("22:05+00\0", 9));
        Settle();
        QCOMPARE(app.link().IndicatorColour(), QColor(Qt::red));
        device.Send("12.34C\r\n-9.876\r");
        QTRY_COMPARE(Control<QLabel>(*app.form, "SerLabel")->text(), QString("-9.876"));
        QCOMPARE(app.link().IndicatorColour(), QColor(Qt::white));
        QVERIFY(Control<QGroupBox>(*app.form, "AnzGroupBox")->styleSheet().contains("#ffffff"));
        QCOMPARE(app.link().monitorStats().telegrams, 2);
    }

    void overlongRunWithoutCrIsDropped() {
        PtyPair device;
        QVERIFY(device.ok());
        LinkFixture app(device.path());
        device.Send(std::string(200, '#') + "\r+1.000\r");
        QTRY_COMPARE(Control<QLabel>(*app.form, "SerLabel")->text(), QString("+1.000"));
        QCOMPARE(app.link().monitorStats().telegrams, 1);
    }

    void bytesSentBeforeOpeningNeverReachTheMonitor() {
        PtyPair device;
        QVERIFY(device.ok());
        device.Send("OLD.11\r");
        LinkFixture app(device.path());
        device.Send("NEW.22\r");
        QTRY_COMPARE(Control<QLabel>(*app.form, "SerLabel")->text(), QString("NEW.22"));
        QCOMPARE(app.link().monitorStats().telegrams, 1);
    }

    void hidingTheTelegramTakesEffectAtTheNextTelegram() {
        PtyPair device;
        QVERIFY(device.ok());
        LinkFixture app(device.path());
        device.Send("+1.111\r");
        QTRY_VERIFY(!Control<QFrame>(*app.form, "SerPanel")->isHidden());
        ActionNamed(*app.form, "Datumzeigen1")->trigger();
        QVERIFY(!ActionNamed(*app.form, "Datumzeigen1")->isChecked());
        QCOMPARE(app.Config().at(3), char(0));
        QVERIFY(!Control<QFrame>(*app.form, "SerPanel")->isHidden());  // not at once
        device.Send("+2.222\r");
        QTRY_VERIFY(Control<QFrame>(*app.form, "SerPanel")->isHidden());
        QCOMPARE(Control<QLabel>(*app.form, "AnzLabel")->text(), QString("+ 2.222"));
        ActionNamed(*app.form, "Datumzeigen1")->trigger();
        QVERIFY(ActionNamed(*app.form, "Datumzeigen1")->isChecked());
        QCOMPARE(app.Config().at(3), char(1));
        device.Send("+3.333\r");
        QTRY_VERIFY(!Control<QFrame>(*app.form, "SerPanel")->isHidden());
    }

    void monitorWaitsWhileHeldAndCatchesUpAfterwards() {
        PtyPair device;
        QVERIFY(device.ok());
        LinkFixture app(device.path());
        app.link().HoldMonitor();
        device.Send("+4.444\r");
        Settle();
        QTest::qWait(100);
        QCOMPARE(app.link().monitorStats().telegrams, 0);
        app.link().ReleaseMonitor();
        QTRY_COMPARE(Control<QLabel>(*app.form, "SerLabel")->text(), QString("+4.444"));
    }

    void programmingKeepsTheMonitorStillAndItShowsThePanelsAgain() {
        PtyPair device;
        QVERIFY(device.ok());
        LinkFixture app(device.path());
        device.Send("+5.555\r");
        QTRY_VERIFY(!Control<QGroupBox>(*app.form, "AnzGroupBox")->isHidden());
        // What programming does with the monitor and the window while it runs.
        app.link().HoldMonitor();
        Control<QGroupBox>(*app.form, "AnzGroupBox")->hide();
        Control<QFrame>(*app.form, "SerPanel")->hide();
        Control<QGroupBox>(*app.form, "PGroupBox")->show();
        device.Send("+6.666\r");
        QTest::qWait(150);
        QCOMPARE(Control<QLabel>(*app.form, "SerLabel")->text(), QString("+5.555"));
        Control<QGroupBox>(*app.form, "PGroupBox")->hide();
        app.link().ReleaseMonitor();
        QTRY_COMPARE(Control<QLabel>(*app.form, "SerLabel")->text(), QString("+6.666"));
        QVERIFY(!Control<QGroupBox>(*app.form, "AnzGroupBox")->isHidden());
        QVERIFY(!Control<QFrame>(*app.form, "SerPanel")->isHidden());
    }

    void logFileGetsEveryTelegram() {
        PtyPair device;
        QVERIFY(device.ok());
        LinkFixture app(device.path());
        app.link().SetClock(std::make_shared<FixedClock>(2027, 3, 5));
        ActionNamed(*app.form, "InDateispeichern1")->trigger();
        QVERIFY(ActionNamed(*app.form, "InDateispeichern1")->isChecked());
        QVERIFY(QFile::exists(app.dir.filePath("050327_A.QVT")));
        device.Send((kLong26 + "\r\n-12.34\r").toStdString());
        QTRY_COMPARE(app.link().monitorStats().telegrams, 2);
        QCOMPARE(Control<QGroupBox>(*app.form, "FileGroupBox")->title(), QString(" Zieldatei "));
        QCOMPARE(Control<QLabel>(*app.form, "FileLabel")->text(), QString("050327_A.QVT"));
        QFile log(app.dir.filePath("050327_A.QVT"));
        QVERIFY(log.open(QIODevice::ReadOnly));
        QCOMPARE(log.readAll(), (kLong26 + "\r\n-12.34\r\n").toLatin1());

        ActionNamed(*app.form, "InDateispeichern1")->trigger();
        QVERIFY(!ActionNamed(*app.form, "InDateispeichern1")->isChecked());
        QCOMPARE(Control<QGroupBox>(*app.form, "FileGroupBox")->title(),
                 QString(" Parameterdatei "));
        QCOMPARE(Control<QLabel>(*app.form, "FileLabel")->text(), QString("Leer"));
        device.Send("+7.777\r");
        QTRY_COMPARE(app.link().monitorStats().telegrams, 3);
        QCOMPARE(Control<QLabel>(*app.form, "FileLabel")->text(), QString("Leer"));

        // A second run of logging the same day gets the next letter.
        ActionNamed(*app.form, "InDateispeichern1")->trigger();
        device.Send("+8.888\r");
        QTRY_COMPARE(app.link().monitorStats().telegrams, 4);
        QFile second(app.dir.filePath("050327_B.QVT"));
        QVERIFY(second.open(QIODevice::ReadOnly));
        QCOMPARE(second.readAll(), QByteArray("+8.888\r\n"));
    }

    void loggingWithoutAFreeNameWritesNothing() {
        PtyPair device;
        QVERIFY(device.ok());
        LinkFixture app(device.path());
        app.link().SetClock(std::make_shared<FixedClock>(2026, 12, 6));
        for (char c = 'A'; c <= 'Z'; ++c) {
            QFile f(app.dir.filePath(QString("061226_%1.QVT").arg(c)));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        ActionNamed(*app.form, "InDateispeichern1")->trigger();
        QVERIFY(!app.link().log().isOpen());
        ExpectLoggingSwitchedOffOnce(app, device);
        QCOMPARE(QFileInfo(app.dir.filePath("061226_Z.QVT")).size(), 0);
        QCOMPARE(QDir(app.dir.path()).entryList({"*.QVT"}).size(), 26);
    }

    void aLogWhoseLinesDoNotReachTheDiskIsSwitchedOff() {
        PtyPair device;
        QVERIFY(device.ok());
        LinkFixture app(device.path());
        std::atomic<int> syncs{0};
        app.link().SetLogSync([&syncs](int) {
            ++syncs;
            return false;
        });
        ActionNamed(*app.form, "InDateispeichern1")->trigger();
        // The failed sync is noticed with a later telegram.
        for (int i = 0; i < 100 && app.messages.empty(); ++i) {
            device.Send("+1.111\r");
            QTest::qWait(20);
        }
        QVERIFY(syncs > 0);
        ExpectLoggingSwitchedOffOnce(app, device);
    }

    void aBacklogIsHandledInSlicesAndInOrder() {
        PtyPair device;
        QVERIFY(device.ok());
        LinkFixture app(device.path());
        app.link().SetClock(std::make_shared<FixedClock>(2027, 3, 5));
        ActionNamed(*app.form, "InDateispeichern1")->trigger();
        app.link().HoldMonitor();
        const std::string telegrams = NumberedTelegrams(300, 10001);
        device.Send(telegrams);
        QTest::qWait(200);
        app.link().ReleaseMonitor();
        std::int64_t afterFirstTurn = -1;
        QTimer::singleShot(0, [&] { afterFirstTurn = app.link().monitorStats().telegrams; });
        QTRY_COMPARE(app.link().monitorStats().telegrams, 300);
        // The event loop turned while the backlog was being worked off.
        QVERIFY2(afterFirstTurn > 0 && afterFirstTurn < 300,
                 qPrintable(QString::number(afterFirstTurn)));
        QCOMPARE(Control<QLabel>(*app.form, "SerLabel")->text(), QString("+10300"));
        QFile log(app.dir.filePath("050327_A.QVT"));
        QVERIFY(log.open(QIODevice::ReadOnly));
        QCOMPARE(log.readAll(), QByteArray::fromStdString(telegrams).replace("\r", "\r\n"));
    }

    // A slice that reaches its end at the CR of the 27-byte form still
    // takes the trailing byte waiting behind it, and shows the telegram: a
    // transmission before the next slice must not find it half handled.
    void aSliceEndingAtACrTakesTheTrailingByteWithIt() {
        PtyPair device;
        QVERIFY(device.ok());
        LinkFixture app(device.path());
        app.link().SetSlice({.bytes = int(kLong26.size()) + 1, .nanoseconds = 60'000'000'000});
        app.link().HoldMonitor();
        device.Send((kLong26 + "\r\n-12.34\r").toStdString());
        QTest::qWait(100);
        app.link().ReleaseMonitor();
        app.link().MonitorBytesArrived();  // one slice, at once
        QCOMPARE(app.link().monitorStats().telegrams, std::int64_t{1});
        QCOMPARE(Control<QLabel>(*app.form, "SerLabel")->text(), kLong26);
        QTRY_COMPARE(Control<QLabel>(*app.form, "SerLabel")->text(), QString("-12.34"));
    }

    void markupFromTheDeviceIsShownAsItCame() {
        PtyPair device;
        QVERIFY(device.ok());
        LinkFixture app(device.path());
        const QString telegram = "06.12.26 21:22:05+<b>W</b>";
        device.Send((telegram + "\r\n").toStdString());
        QTRY_COMPARE(Control<QLabel>(*app.form, "SerLabel")->text(), telegram);
        QCOMPARE(Control<QLabel>(*app.form, "AnzLabel")->text(), QString("+ <b>W</b"));
        // Shown as markup, the tags would take no room.
        for (QLabel* label :
             {Control<QLabel>(*app.form, "SerLabel"), Control<QLabel>(*app.form, "AnzLabel")}) {
            const int asText = QFontMetrics(label->font()).horizontalAdvance(label->text());
            QVERIFY2(label->sizeHint().width() >= asText - 3, qPrintable(label->objectName()));
        }
    }

    void printingWidensTheWindowAndCollectsTheList() {
        PtyPair device;
        QVERIFY(device.ok());
        LinkFixture app(device.path());
        std::vector<std::vector<qvt::PrintText>> pages;
        app.link().SetPrinter(std::make_unique<RecordingPrinter>(pages));
        QCOMPARE(app.form->width(), 455);
        ActionNamed(*app.form, "Drucken1")->trigger();
        QVERIFY(ActionNamed(*app.form, "Drucken1")->isChecked());
        QCOMPARE(app.form->width(), 660);
        device.Send(NumberedTelegrams(40, 10001));
        QTRY_COMPARE(app.link().monitorStats().telegrams, 40);
        QCOMPARE(pages.size(), std::size_t(0));
        QCOMPARE(app.ListLines().size(), 40);
        QCOMPARE(app.ListLines().front(), QString("+10001"));
        QCOMPARE(app.context.state.printLineCount, 40);

        // Switching off keeps the lines for later.
        ActionNamed(*app.form, "Drucken1")->trigger();
        QCOMPARE(app.form->width(), 455);
        device.Send("+9999\r");
        QTRY_COMPARE(app.link().monitorStats().telegrams, 41);
        QCOMPARE(app.ListLines().size(), 40);

        ActionNamed(*app.form, "Drucken1")->trigger();
        device.Send("+10041\r");
        QTRY_COMPARE(app.link().monitorStats().telegrams, 42);
        QCOMPARE(pages.size(), std::size_t(1));
        QCOMPARE(pages[0].size(), std::size_t(42));
        QCOMPARE(pages[0][40].text, std::string("+10041"));
        QCOMPARE(pages[0][41].text, std::string("QVT410-Daten  Seite 1"));
        QVERIFY(app.ListLines().isEmpty());
        QCOMPARE(app.context.state.printPageNumber, 2);
    }

    void clearingThePageStartsAtPageOneAgain() {
        PtyPair device;
        QVERIFY(device.ok());
        LinkFixture app(device.path());
        std::vector<std::vector<qvt::PrintText>> pages;
        app.link().SetPrinter(std::make_unique<RecordingPrinter>(pages));
        ActionNamed(*app.form, "Drucken1")->trigger();
        std::string telegrams;
        for (int i = 0; i < 82 + 3; ++i) telegrams += "+0.001\r";
        device.Send(telegrams);
        QTRY_COMPARE(app.link().monitorStats().telegrams, 85);
        QCOMPARE(pages.size(), std::size_t(2));
        QCOMPARE(app.ListLines().size(), 3);
        ActionNamed(*app.form, "Druckseitercksetzen1")->trigger();
        QVERIFY(app.ListLines().isEmpty());
        QCOMPARE(app.context.state.printPageNumber, 1);
        QCOMPARE(app.context.state.printLineCount, 0);
        std::string page;
        for (int i = 0; i < 41; ++i) page += "+0.002\r";
        device.Send(page);
        QTRY_COMPARE(pages.size(), std::size_t(3));
        QCOMPARE(pages[2].back().text, std::string("QVT410-Daten  Seite 1"));
    }

    void withoutAPrinterThePageIsKept() {
        PtyPair device;
        QVERIFY(device.ok());
        LinkFixture app(device.path());
        std::vector<std::vector<qvt::PrintText>> pages;
        auto owned = std::make_unique<RecordingPrinter>(pages, false);
        RecordingPrinter* printer = owned.get();
        app.link().SetPrinter(std::move(owned));
        ActionNamed(*app.form, "Drucken1")->trigger();
        device.Send(NumberedTelegrams(41, 10001));
        QTRY_COMPARE(app.link().monitorStats().telegrams, 41);
        const QStringList once{QString::fromUtf8("Fehler: Kein Drucker verfügbar")};
        QCOMPARE(app.messages, once);
        QCOMPARE(app.ListLines().size(), 41);
        QCOMPARE(app.context.state.printLineCount, 41);
        QCOMPARE(app.context.state.printPageNumber, 1);

        // Said once, not again with every further telegram.
        device.Send(NumberedTelegrams(40, 10042));
        QTRY_COMPARE(app.link().monitorStats().telegrams, 81);
        QCOMPARE(app.messages, once);
        QCOMPARE(app.ListLines().size(), 81);

        // The printer is back: the kept lines go out as pages of 41.
        printer->SetAvailable(true);
        device.Send(NumberedTelegrams(1, 10082));
        QTRY_COMPARE(app.link().monitorStats().telegrams, 82);
        QCOMPARE(pages.size(), std::size_t(2));
        QCOMPARE(pages[1].front().text, std::string("+10042"));
        QVERIFY(app.ListLines().isEmpty());
        QCOMPARE(app.messages, once);
    }
};

QTEST_MAIN(LinkMonitorTest)
#include "link_monitor_test.moc"
