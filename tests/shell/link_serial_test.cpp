// "Sen&den", "TEST" and the PC port dialog against the device simulator.
#include <QAction>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "core/dialog_values.h"
#include "dialogs/display_dialog.h"
#include "dialogs/pc_serial_port_dialog.h"
#include "shell/parameter_commands.h"
#include "support/clocks.h"
#include "support/controls.h"
#include "support/link_fixture.h"

namespace {

// The message boxes as recorded: "caption: text".
const QString kParametersOk = QString::fromUtf8("Meldung: Parameter fehlerfrei übertragen");
const QString kParametersFailed =
    QString::fromUtf8("Fehler: Fehler bei der Übertragung der Parameter");
const QString kValueOk = QString::fromUtf8("Meldung: Wert fehlerfrei übertragen");
const QString kValueFailed = QString::fromUtf8("Fehler: Fehler bei der Übertragung");

// Runs the modal PC port dialog, doing `choose` in it once it is up.
void RunPortDialog(LinkFixture& app,
                   std::function<void(qvt::dialogs::PcSerialPortDialog*)> choose) {
    qvt::dialogs::PcSerialPortDialog* dialog = app.form->dialogs().pcSerialPortDialog;
    QTimer::singleShot(0, dialog, [dialog, choose] {
        QTRY_VERIFY(dialog->isVisible());
        choose(dialog);
    });
    app.link().ChoosePcSerialPort();
}

}  // namespace

class LinkSerialTest : public QObject {
    Q_OBJECT
  private slots:
    void sendenSendsTheExampleTelegram() {
        DevSimProcess device({"--count", "0"});
        QVERIFY(device.Start());
        LinkFixture app(device.path().toStdString());
        qvt::ParameterRecord& r = app.context.record;
        r.daCardType = 2;
        r.sioMode = 0;
        r.azAverageCount = "000";
        app.link().SetClock(std::make_shared<qvt::testing::ShiftedClock>(
            qvt::testing::LocalTime(2026, 12, 6, 21, 22)));  // a Sunday
        ActionNamed(*app.form, "Senden1")->trigger();
        QCOMPARE(app.messages, QStringList{kParametersOk});
        QVERIFY(device.WaitForOutput("bytes ="));
        QVERIFY2(device.Output().contains(
                     "bytes = 02 3D 00 00 00 00 00 00 00 00 02 00 00 00 00 00 00 00 00 00 00 00 "
                     "00 00 00 00 00 00 00 01 00 00 00 00 00 00 00 00 01 00 00 00 00 00 00 00 "
                     "00 00 00 00 05 00 22 21 06 00 12 26 00 00 00 00 C9\n"),
                 qPrintable(device.Output()));
    }

    // Texts their telegram fields cannot carry: nothing is sent, and the one
    // message names each of them with what it may hold.
    void sendenRefusesWhatTheTelegramCannotCarry() {
        PtyPair device;
        QVERIFY(device.ok());
        LinkFixture app(device.path());
        qvt::ParameterRecord& r = app.context.record;
        r.mbMeasEnd = "2000";
        r.sp2Hysteresis = "1x";
        r.sioSendCycle = "300";
        ActionNamed(*app.form, "Senden1")->trigger();
        QCOMPARE(app.messages,
                 QStringList{"Fehler: Messwert Bereichsende: 2000 (zulässig -1999 bis 1999)\n"
                             "Schaltpunkt 2 – Hysterese: 1x (Zeichen „x“ an Stelle 2 "
                             "unzulässig; zulässig -1999 bis 1999)\n"
                             "Sendezyklus: 300 (zulässig 0 bis 255)"});
        QCOMPARE(device.ReceivedUntilQuiet(300), std::string());
    }

    void sendenReportsTheDevicesAnswer_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("minMs");
        QTest::addColumn<int>("maxMs");
        const QStringList quiet{"--count", "0"};
        QTest::newRow("accepted") << quiet << kParametersOk << 0 << 900;
        QTest::newRow("refused") << quiet + QStringList{"--reply", "nak"} << kParametersFailed << 0
                                 << 900;
        QTest::newRow("silent") << quiet + QStringList{"--reply", "none"} << kParametersFailed
                                << 950 << 2300;
        QTest::newRow("too late") << quiet + QStringList{"--reply-delay", "2500"}
                                  << kParametersFailed << 950 << 2300;
        // The device goes on sending its telegrams; its answer is picked
        // out of them.
        QTest::newRow("while the device sends")
            << QStringList{"--cycle", "0", "--baud", "4800"} << kParametersOk << 0 << 900;
    }

    void sendenReportsTheDevicesAnswer() {
        QFETCH(QStringList, options);
        QFETCH(QString, message);
        QFETCH(int, minMs);
        QFETCH(int, maxMs);
        DevSimProcess device(options);
        QVERIFY(device.Start());
        LinkFixture app(device.path().toStdString());
        QTest::qWait(100);
        QElapsedTimer timer;
        timer.start();
        app.link().SendParameters();
        const qint64 elapsed = timer.elapsed();
        QCOMPARE(app.messages, QStringList{message});
        QVERIFY2(elapsed >= minMs && elapsed <= maxMs, qPrintable(QString::number(elapsed)));
    }

    void sendenWithoutADevice() {
        LinkFixture app("/dev/qvt-no-device-here");
        QVERIFY(!app.link().port().IsOpen());
        QElapsedTimer timer;
        timer.start();
        app.link().SendParameters();
        QVERIFY(timer.elapsed() >= 950 && timer.elapsed() <= 2300);
        QCOMPARE(app.messages, QStringList{kParametersFailed});
        timer.restart();
        Control<QPushButton>(app.form->dialogs().displayDialog, "Button1")->click();
        QVERIFY(timer.elapsed() <= 1300);
        QCOMPARE(app.messages, (QStringList{kParametersFailed, kValueFailed}));
    }

    void testButtonSendsTheValue_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("point");
        QTest::addColumn<QString>("deviceShows");
        QTest::addColumn<QString>("text");
        QTest::newRow("1234, X . XXX") << QStringList{} << "1234" << 1 << "1.234" << kValueOk;
        QTest::newRow("3999, the highest") << QStringList{} << "3999" << 0 << "3999" << kValueOk;
        QTest::newRow("refused") << QStringList{"--reply", "nak"} << "0012" << 3 << "001.2"
                                 << kValueFailed;
        // The window closes at the next whole second at the latest.
        QTest::newRow("too late") << QStringList{"--reply-delay", "1100"} << "0005" << 0 << "0005"
                                  << kValueFailed;
    }

    void testButtonSendsTheValue() {
        QFETCH(QStringList, options);
        QFETCH(QString, value);
        QFETCH(int, point);
        QFETCH(QString, deviceShows);
        QFETCH(QString, text);
        DevSimProcess device(QStringList{"--count", "0"} + options);
        QVERIFY(device.Start());
        LinkFixture app(device.path().toStdString());
        qvt::dialogs::DisplayDialog* dialog = app.form->dialogs().displayDialog;
        app.form->parameterCommands().OpenDisplay();
        QRadioButton* points[] = {
            Control<QRadioButton>(dialog, "DzRBtn1"), Control<QRadioButton>(dialog, "DzRBtn2"),
            Control<QRadioButton>(dialog, "DzRBtn3"), Control<QRadioButton>(dialog, "DzRBtn4")};
        points[point]->setChecked(true);
        Control<QLineEdit>(dialog, "AzDEdit1")->setText(value);
        QTest::mouseClick(Control<QPushButton>(dialog, "Button1"), Qt::LeftButton);
        QCOMPARE(app.messages, QStringList{text});
        QVERIFY(device.WaitForOutput("value = " + deviceShows + "\n"));
        dialog->close();
    }

    void portDialogPreselects_data() {
        QTest::addColumn<int>("baudIndex");
        QTest::addColumn<int>("portIndex");
        QTest::addColumn<QString>("baudButton");
        QTest::addColumn<QString>("portButton");
        QTest::newRow("150 on the device") << 0 << 0 << "PsRBtn6"
                                           << "PcRBtn1";
        QTest::newRow("300") << 1 << 1 << "PsRBtn2"
                             << "PcRBtn2";
        QTest::newRow("2400") << 4 << 3 << "PsRBtn5"
                              << "PcRBtn4";
        QTest::newRow("4800") << 5 << 5 << "PsRBtn6"
                              << "PcRBtn6";
        QTest::newRow("9600") << 6 << 2 << "PsRBtn7"
                              << "PcRBtn3";
        QTest::newRow("19200 from the file") << 7 << 4 << "PsRBtn6"
                                             << "PcRBtn5";
        QTest::newRow("out of range") << 200 << 9 << "PsRBtn6"
                                      << "PcRBtn2";
    }

    void portDialogPreselects() {
        QFETCH(int, baudIndex);
        QFETCH(int, portIndex);
        QFETCH(QString, baudButton);
        QFETCH(QString, portButton);
        LinkFixture app("/dev/qvt-no-device-here");
        qvt::dialogs::PcSerialPortDialog* dialog = app.form->dialogs().pcSerialPortDialog;
        QCOMPARE(dialog->windowTitle(), QString("Serielle Schnittstelle PC"));
        app.context.state.baudIndex = static_cast<std::uint8_t>(baudIndex);
        app.context.state.portIndex = static_cast<std::uint8_t>(portIndex);
        dialog->ShowValues(qvt::PcPortValuesOf(app.context.state));
        const QList<QRadioButton*> buttons = dialog->findChildren<QRadioButton*>();
        QCOMPARE(buttons.size(), 12);
        for (QRadioButton* b : buttons) {
            const bool expected = b->objectName() == baudButton || b->objectName() == portButton;
            QVERIFY2(b->isChecked() == expected, qPrintable(b->objectName()));
        }
    }

    void portDialogOkReopensAndKeepsTheChoice() {
        DevSimProcess first({"--count", "0"});
        DevSimProcess second({"--count", "0"});
        QVERIFY(first.Start());
        QVERIFY(second.Start());
        LinkFixture app(first.path().toStdString());
        app.context.settings.serialDevices[3] = second.path().toStdString();
        QCOMPARE(app.Config(), QByteArray("\x01\x05\x00\x01", 4));
        RunPortDialog(app, [](qvt::dialogs::PcSerialPortDialog* d) {
            QCOMPARE(Control<QRadioButton>(d, "PsRBtn6")->text(), QString("4800 Baud"));
            QCOMPARE(Control<QRadioButton>(d, "PsRBtn2")->text(), QString("300  Baud"));
            Control<QRadioButton>(d, "PcRBtn4")->setChecked(true);
            Control<QRadioButton>(d, "PsRBtn7")->setChecked(true);
            QTest::mouseClick(Control<QPushButton>(d, "OKBtn"), Qt::LeftButton);
        });
        QCOMPARE(int(app.context.state.portIndex), 3);
        QCOMPARE(int(app.context.state.baudIndex), 6);
        QCOMPARE(app.Config(), QByteArray("\x03\x06\x00\x01", 4));
        app.link().SendParameters();
        QCOMPARE(app.messages.back(), kParametersOk);
        QVERIFY(second.WaitForOutput("parameter telegram"));
        QVERIFY(!first.Output().contains("parameter telegram"));
    }

    void portDialogCancelStillReopens() {
        PtyPair before;
        PtyPair after;
        QVERIFY(before.ok() && after.ok());
        LinkFixture app(before.path());
        app.context.settings.serialDevices[1] = after.path();
        RunPortDialog(app, [](qvt::dialogs::PcSerialPortDialog* d) {
            QTest::mouseClick(Control<QPushButton>(d, "CancelBtn"), Qt::LeftButton);
        });
        QCOMPARE(app.Config(), QByteArray("\x01\x05\x00\x01", 4));
        after.Send("+1.500\r");
        QTRY_COMPARE(Control<QLabel>(*app.form, "SerLabel")->text(), QString("+1.500"));
        // A telegram begun before a reopen is not continued after it.
        after.Send("+9.9");
        QTRY_COMPARE(app.link().IndicatorColour(), QColor(Qt::red));
        RunPortDialog(app, [](qvt::dialogs::PcSerialPortDialog* d) {
            QTest::mouseClick(Control<QPushButton>(d, "CancelBtn"), Qt::LeftButton);
        });
        after.Send("-2.500\r");
        QTRY_COMPARE(Control<QLabel>(*app.form, "SerLabel")->text(), QString("-2.500"));
    }

    void monitorRunsWhileThePortDialogIsOpen() {
        PtyPair device;
        QVERIFY(device.ok());
        LinkFixture app(device.path());
        bool seen = false;
        RunPortDialog(app, [&](qvt::dialogs::PcSerialPortDialog* d) {
            device.Send("+2.500\r");
            seen = WaitUntil(
                [&] { return Control<QLabel>(*app.form, "SerLabel")->text() == "+2.500"; });
            QTest::mouseClick(Control<QPushButton>(d, "CancelBtn"), Qt::LeftButton);
        });
        QVERIFY(seen);
    }

    void rateFromTheFileAndBackTo4800() {
        PtyPair device;
        QVERIFY(device.ok());
        LinkFixture app(device.path(), false);
        app.WriteConfig(QByteArray("\x01\x07\x00\x01", 4));
        app.Start();
        termios t{};
        ::tcgetattr(device.pcSide(), &t);
        QCOMPARE(::cfgetospeed(&t), speed_t(B19200));
        RunPortDialog(app, [](qvt::dialogs::PcSerialPortDialog* d) {
            QVERIFY(Control<QRadioButton>(d, "PsRBtn6")->isChecked());
            QTest::mouseClick(Control<QPushButton>(d, "OKBtn"), Qt::LeftButton);
        });
        QCOMPARE(int(app.context.state.baudIndex), 5);
        QCOMPARE(app.Config(), QByteArray("\x01\x05\x00\x01", 4));
        ::tcgetattr(device.pcSide(), &t);
        QCOMPARE(::cfgetospeed(&t), speed_t(B4800));
    }

    void portIndexAboveFiveOpensCom6() {
        PtyPair device;
        QVERIFY(device.ok());
        LinkFixture app("/dev/qvt-no-device-here", false);
        app.WriteConfig(QByteArray("\x09\x05\x00\x01", 4));
        app.context.settings.serialDevices[5] = device.path();
        app.Start();
        QCOMPARE(int(app.context.state.portIndex), 5);
        QVERIFY(app.link().port().IsOpen());
        device.Send("+6.000\r");
        QTRY_COMPARE(Control<QLabel>(*app.form, "SerLabel")->text(), QString("+6.000"));
    }
};

QTEST_MAIN(LinkSerialTest)
#include "link_serial_test.moc"
