// The display dialog: decimal point and rounding codes per device type, the
// other fields, cancelling, and the TEST button with a fake transmission.
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "core/parameter_record.h"
#include "dialogs/dialog_bench.h"
#include "dialogs/display_dialog.h"
#include "dialogs/message_box.h"
#include "dialogs/widgets.h"
#include "link/telegrams.h"
#include "platform/help.h"
#include "support/controls.h"

class AzDlgTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<DialogBench> bench_;
    qvt::ParameterRecord& record() { return bench_->context.record; }
    QStringList messages_;

    static QList<QRadioButton*> PointButtons(qvt::dialogs::DisplayDialog& d) {
        return {Control<QRadioButton>(d, "DzRBtn1"), Control<QRadioButton>(d, "DzRBtn2"),
                Control<QRadioButton>(d, "DzRBtn3"), Control<QRadioButton>(d, "DzRBtn4")};
    }
    static QList<QRadioButton*> RoundButtons(qvt::dialogs::DisplayDialog& d) {
        return {Control<QRadioButton>(d, "RuRBtn1"), Control<QRadioButton>(d, "RuRBtn2"),
                Control<QRadioButton>(d, "RuRBtn3"), Control<QRadioButton>(d, "RuRBtn4")};
    }
    static int Checked(const QList<QRadioButton*>& buttons) {
        int found = -1;
        for (int i = 0; i < buttons.size(); ++i) {
            if (buttons[i]->isChecked()) {
                if (found >= 0)
                    return -2;  // two checked in one group
                found = i;
            }
        }
        return found;
    }
    static void Retype(QLineEdit* edit, const QString& text) {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        edit->setCursorPosition(0);
        QTest::keyClicks(edit, text);
    }

  private slots:
    void init() {
        bench_ = std::make_unique<DialogBench>();
        messages_.clear();
        qvt::SetMessageInterceptor([this](const QString& text, const QString& caption) {
            messages_ << caption + ": " + text;
        });
    }
    void cleanup() { qvt::SetMessageInterceptor({}); }

    void decimalPointIsCodedByDeviceType_data() {
        QTest::addColumn<int>("deviceType");
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("reception");
        QTest::addColumn<int>("stored");
        QTest::newRow("type 0 none") << 0 << 0 << false << 0;
        QTest::newRow("type 0 X.XXX") << 0 << 1 << false << 1;
        QTest::newRow("type 0 XX.XX") << 0 << 2 << false << 2;
        QTest::newRow("type 0 XXX.X") << 0 << 3 << false << 3;
        QTest::newRow("type 0 XXX.X reception") << 0 << 3 << true << 7;
        QTest::newRow("type 1 none") << 1 << 0 << false << 0;
        QTest::newRow("type 1 X.XXX") << 1 << 1 << false << 3;
        QTest::newRow("type 1 XX.XX") << 1 << 2 << false << 2;
        QTest::newRow("type 1 XXX.X") << 1 << 3 << false << 1;
        QTest::newRow("type 1 XXX.X reception") << 1 << 3 << true << 5;
        QTest::newRow("type 1 none reception") << 1 << 0 << true << 4;
        QTest::newRow("type 2 X.XXX") << 2 << 1 << false << 1;
        QTest::newRow("type 2 XXX.X reception") << 2 << 3 << true << 7;
    }
    void decimalPointIsCodedByDeviceType() {
        QFETCH(int, deviceType);
        QFETCH(int, button);
        QFETCH(bool, reception);
        QFETCH(int, stored);
        record().deviceType = static_cast<std::uint8_t>(deviceType);
        qvt::dialogs::DisplayDialog& dlg = *bench_->dialogs.displayDialog;
        bench_->openers.OpenDisplay();
        PointButtons(dlg)[button]->setChecked(true);
        Control<QCheckBox>(dlg, "AzDBox")->setChecked(reception);
        Control<QPushButton>(dlg, "OKBtn")->click();
        QCOMPARE(int(record().azDecimalPoint), stored);
        QVERIFY(!dlg.isVisible());

        // Reopening shows the same choice, and cancelling keeps the code however often.
        for (int round = 0; round < 3; ++round) {
            bench_->openers.OpenDisplay();
            QCOMPARE(Checked(PointButtons(dlg)), button);
            QCOMPARE(Control<QCheckBox>(dlg, "AzDBox")->isChecked(), reception);
            Control<QPushButton>(dlg, "CancelBtn")->click();
            QCOMPARE(int(record().azDecimalPoint), stored);
        }
    }

    void storedPointCodeSelectsButton_data() {
        QTest::addColumn<int>("deviceType");
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("reception");
        QTest::newRow("type 1 code 1") << 1 << 1 << 3 << false;
        QTest::newRow("type 1 code 3") << 1 << 3 << 1 << false;
        QTest::newRow("type 1 code 6") << 1 << 6 << 2 << true;
        QTest::newRow("type 0 code 1") << 0 << 1 << 1 << false;
        QTest::newRow("type 2 code 7") << 2 << 7 << 3 << true;
        QTest::newRow("type 0 code 8, above 3") << 0 << 8 << 0 << true;
    }
    void storedPointCodeSelectsButton() {
        QFETCH(int, deviceType);
        QFETCH(int, stored);
        QFETCH(int, button);
        QFETCH(bool, reception);
        record().deviceType = static_cast<std::uint8_t>(deviceType);
        record().azDecimalPoint = static_cast<std::uint8_t>(stored);
        qvt::dialogs::DisplayDialog& dlg = *bench_->dialogs.displayDialog;
        bench_->openers.OpenDisplay();
        QCOMPARE(Checked(PointButtons(dlg)), button);
        QCOMPARE(Control<QCheckBox>(dlg, "AzDBox")->isChecked(), reception);
        QCOMPARE(int(record().azDecimalPoint), stored);  // opening changes nothing
    }

    void roundingIsCodedByDeviceType_data() {
        QTest::addColumn<int>("deviceType");
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("written");
        QTest::newRow("type 0 Immer 0") << 0 << 1 << 0 << 0;
        QTest::newRow("type 1 Normal") << 1 << 0 << 1 << 1;
        QTest::newRow("type 2 Nur Gerade") << 2 << 1 << 2 << 2;
        QTest::newRow("type 0 Fuenfer") << 0 << 1 << 3 << 5;
        QTest::newRow("type 2 Fuenfer") << 2 << 1 << 3 << 5;
        QTest::newRow("type 1 Fuenfer") << 1 << 1 << 3 << 3;
        QTest::newRow("unknown type Fuenfer") << 9 << 1 << 3 << 3;
        QTest::newRow("type 0 stored 4 rewritten") << 0 << 4 << -1 << 5;
        QTest::newRow("type 1 stored 5 rewritten") << 1 << 5 << -1 << 3;
        QTest::newRow("type 0 stored 3 rewritten") << 0 << 3 << -1 << 5;
        QTest::newRow("type 1 stored 255 rewritten") << 1 << 255 << -1 << 3;
        QTest::newRow("type 0 stored 2 kept") << 0 << 2 << -1 << 2;
    }
    void roundingIsCodedByDeviceType() {
        QFETCH(int, deviceType);
        QFETCH(int, stored);
        QFETCH(int, button);  // -1: OK without a change
        QFETCH(int, written);
        record().deviceType = static_cast<std::uint8_t>(deviceType);
        record().azRounding = static_cast<std::uint8_t>(stored);
        qvt::dialogs::DisplayDialog& dlg = *bench_->dialogs.displayDialog;
        bench_->openers.OpenDisplay();
        QCOMPARE(Checked(RoundButtons(dlg)), stored > 2 ? 3 : stored);
        if (button >= 0)
            RoundButtons(dlg)[button]->setChecked(true);
        Control<QPushButton>(dlg, "OKBtn")->click();
        QCOMPARE(int(record().azRounding), written);
        bench_->openers.OpenDisplay();
        QCOMPARE(Checked(RoundButtons(dlg)), written > 2 ? 3 : written);
    }

    void textFieldsAndDivideFlag() {
        record().azAverageCount = "0016";
        record().azUnitText = "mV";
        record().azDivideBy10 = 1;
        qvt::dialogs::DisplayDialog& dlg = *bench_->dialogs.displayDialog;
        bench_->openers.OpenDisplay();
        QCOMPARE(Control<qvt::FieldEdit>(dlg, "AzEdit1")->text(), QString("0016"));
        QCOMPARE(Control<qvt::FieldEdit>(dlg, "AzEdit2")->text(), QString("mV"));
        QVERIFY(Control<QCheckBox>(dlg, "AzCBox")->isChecked());

        Retype(Control<qvt::FieldEdit>(dlg, "AzEdit1"), "123456");
        Retype(Control<qvt::FieldEdit>(dlg, "AzEdit2"), QString::fromUtf8("°Cx"));
        Control<QCheckBox>(dlg, "AzCBox")->setChecked(false);
        Control<QPushButton>(dlg, "OKBtn")->click();
        QCOMPARE(QByteArray::fromStdString(record().azAverageCount.str()), QByteArray("1234"));
        // The unit reaches the record as single-byte characters.
        QCOMPARE(QByteArray::fromStdString(record().azUnitText.str()), QByteArray("\xB0"
                                                                                  "Cx"));
        QCOMPARE(int(record().azDivideBy10), 0);

        bench_->openers.OpenDisplay();
        QCOMPARE(Control<qvt::FieldEdit>(dlg, "AzEdit2")->text(), QString::fromUtf8("°Cx"));
    }

    void cancelLeavesTheRecordAndReopeningShowsIt() {
        record().deviceType = 1;
        record().azDecimalPoint = 5;
        record().azRounding = 2;
        record().azAverageCount = "8";
        record().azUnitText = "Hz";
        const qvt::ParameterRecord before = record();
        qvt::dialogs::DisplayDialog& dlg = *bench_->dialogs.displayDialog;
        for (bool byEscape : {false, true}) {
            bench_->openers.OpenDisplay();
            Control<QRadioButton>(dlg, "DzRBtn2")->setChecked(true);
            Control<QRadioButton>(dlg, "RuRBtn4")->setChecked(true);
            Control<QCheckBox>(dlg, "AzDBox")->setChecked(false);
            Control<QCheckBox>(dlg, "AzCBox")->setChecked(true);
            Retype(Control<qvt::FieldEdit>(dlg, "AzEdit1"), "99");
            Retype(Control<qvt::FieldEdit>(dlg, "AzEdit2"), "xyz");
            if (byEscape) {
                QTest::keyClick(&dlg, Qt::Key_Escape);
            } else {
                Control<QPushButton>(dlg, "CancelBtn")->click();
            }
            QVERIFY(!dlg.isVisible());
            QCOMPARE(int(record().azDecimalPoint), int(before.azDecimalPoint));
            QCOMPARE(int(record().azRounding), int(before.azRounding));
            QCOMPARE(int(record().azDivideBy10), int(before.azDivideBy10));
            QVERIFY(record().azAverageCount == before.azAverageCount);
            QVERIFY(record().azUnitText == before.azUnitText);
        }
        bench_->openers.OpenDisplay();
        QVERIFY(Control<QRadioButton>(dlg, "DzRBtn4")->isChecked());
        QVERIFY(Control<QRadioButton>(dlg, "RuRBtn3")->isChecked());
        QVERIFY(Control<QCheckBox>(dlg, "AzDBox")->isChecked());
        QVERIFY(!Control<QCheckBox>(dlg, "AzCBox")->isChecked());
        QCOMPARE(Control<qvt::FieldEdit>(dlg, "AzEdit1")->text(), QString("8"));
        QCOMPARE(Control<qvt::FieldEdit>(dlg, "AzEdit2")->text(), QString("Hz"));
    }

    void testButtonSendsPositionsAndPoint_data() {
        QTest::addColumn<QString>("typed");  // empty: untouched
        QTest::addColumn<int>("pointButton");
        QTest::addColumn<QString>("positions");
        QTest::addColumn<int>("point");
        QTest::newRow("untouched") << QString() << 0 << "0   " << 0;
        QTest::newRow("3999 X.XXX") << "3999" << 1 << "3999" << 1;
        QTest::newRow("1234 XX.XX") << "1234" << 2 << "1234" << 2;
        QTest::newRow("left-aligned 12 XXX.X") << "12" << 3 << "12  " << 3;
        QTest::newRow("blanks then 5") << "   5" << 0 << "   5" << 0;
        QTest::newRow("too many digits") << "123456" << 0 << "1234" << 0;
        QTest::newRow("letters refused") << "a1b2" << 0 << "12  " << 0;
    }
    void testButtonSendsPositionsAndPoint() {
        QFETCH(QString, typed);
        QFETCH(int, pointButton);
        QFETCH(QString, positions);
        QFETCH(int, point);
        record().deviceType = 1;  // the point is sent without the type's exchange
        qvt::dialogs::DisplayDialog& dlg = *bench_->dialogs.displayDialog;
        QStringList sent;
        QList<int> points;
        dlg.SetTestValueSender([&](std::string_view text, int p) {
            sent << QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
            points << p;
            return 6;
        });
        bench_->openers.OpenDisplay();
        if (!typed.isNull())
            Retype(Control<QLineEdit>(dlg, "AzDEdit1"), typed);
        PointButtons(dlg)[pointButton]->setChecked(true);
        const qvt::ParameterRecord before = record();
        Control<QPushButton>(dlg, "Button1")->click();
        QCOMPARE(sent, QStringList{positions});
        QCOMPARE(points, QList<int>{point});
        QCOMPARE(messages_, QStringList{QString::fromUtf8("Meldung: Wert fehlerfrei übertragen")});
        QVERIFY(dlg.isVisible());  // TEST does not close the dialog
        QCOMPARE(int(record().azDecimalPoint), int(before.azDecimalPoint));
    }

    void testButtonReportsFailure_data() {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<int>("reply");
        QTest::addColumn<QString>("message");
        const QString ok = QString::fromUtf8("Meldung: Wert fehlerfrei übertragen");
        const QString failed = QString::fromUtf8("Fehler: Fehler bei der Übertragung");
        QTest::newRow("ACK") << true << 6 << ok;
        QTest::newRow("NAK") << true << 0x15 << failed;
        QTest::newRow("no answer") << true << -1 << failed;
        QTest::newRow("start byte echoed") << true << 3 << failed;
        QTest::newRow("no device link") << false << 0 << failed;
    }
    void testButtonReportsFailure() {
        QFETCH(bool, installed);
        QFETCH(int, reply);
        QFETCH(QString, message);
        qvt::dialogs::DisplayDialog& dlg = *bench_->dialogs.displayDialog;
        if (installed)
            dlg.SetTestValueSender([reply](std::string_view, int) -> std::optional<std::uint8_t> {
                if (reply < 0)
                    return std::nullopt;  // no answer
                return static_cast<std::uint8_t>(reply);
            });
        bench_->openers.OpenDisplay();
        Control<QPushButton>(dlg, "Button1")->click();
        QCOMPARE(messages_, QStringList{message});
    }

    // A value the display cannot show is refused, not sent as another one.
    void testButtonRefusesWhatTheDisplayCannotShow() {
        qvt::dialogs::DisplayDialog& dlg = *bench_->dialogs.displayDialog;
        bool sent = false;
        dlg.SetTestValueSender([&sent](std::string_view, int) { return sent = true, 6; });
        bench_->openers.OpenDisplay();
        for (const auto& [typed, value] : {std::pair{"9999", "9999"}, {"4", "4000"}}) {
            Retype(Control<QLineEdit>(dlg, "AzDEdit1"), typed);
            Control<QPushButton>(dlg, "Button1")->click();
            QCOMPARE(messages_.takeFirst(),
                     QString("Fehler: Testwert: %1 (zulässig 0 bis 3999)").arg(value));
        }
        QVERIFY(!sent);
        QVERIFY(dlg.isVisible());
    }

    // What the dialog hands over, run through the device link's telegram builder.
    void testValueTelegramFromTheDialog_data() {
        QTest::addColumn<QString>("typed");  // empty: untouched
        QTest::addColumn<int>("pointButton");
        QTest::addColumn<QByteArray>("telegram");
        QTest::newRow("untouched") << QString() << 0 << QByteArray::fromHex("030000000003");
        QTest::newRow("3999") << "3999" << 0 << QByteArray::fromHex("030909090321");
        QTest::newRow("3999 X.XXX") << "3999" << 1 << QByteArray::fromHex("030909091331");
        QTest::newRow("blanks then 5") << "   5" << 0 << QByteArray::fromHex("030500000008");
        QTest::newRow("left-aligned 12") << "12" << 0 << QByteArray::fromHex("030000020106");
        QTest::newRow("1234 XX.XX") << "1234" << 2 << QByteArray::fromHex("03040312011d");
        QTest::newRow("1234 XXX.X") << "1234" << 3 << QByteArray::fromHex("03041302011d");
    }
    void testValueTelegramFromTheDialog() {
        QFETCH(QString, typed);
        QFETCH(int, pointButton);
        QFETCH(QByteArray, telegram);
        qvt::dialogs::DisplayDialog& dlg = *bench_->dialogs.displayDialog;
        QByteArray sent;
        dlg.SetTestValueSender([&sent](std::string_view text, int point) {
            const qvt::TestValueTelegramBytes bytes =
                qvt::TestValueTelegram(text, static_cast<qvt::TestValuePoint>(point));
            sent = QByteArray(reinterpret_cast<const char*>(bytes.data()), bytes.size());
            return 6;
        });
        bench_->openers.OpenDisplay();
        if (!typed.isNull())
            Retype(Control<QLineEdit>(dlg, "AzDEdit1"), typed);
        PointButtons(dlg)[pointButton]->setChecked(true);
        Control<QPushButton>(dlg, "Button1")->click();
        QCOMPARE(sent.toHex(), telegram.toHex());
    }

    void reopeningResetsTheTestValue() {
        qvt::dialogs::DisplayDialog& dlg = *bench_->dialogs.displayDialog;
        bench_->openers.OpenDisplay();
        Retype(Control<QLineEdit>(dlg, "AzDEdit1"), "4321");
        QCOMPARE(dlg.TestValuePositions(), std::string("4321"));
        Control<QPushButton>(dlg, "CancelBtn")->click();
        bench_->openers.OpenDisplay();
        QCOMPARE(dlg.TestValuePositions(), std::string("0   "));
    }

    void staysOnTopAndAsksForItsHelp() {
        QList<int> asked;
        const qvt::help::Handler previous =
            qvt::help::SetHandler([&asked](const qvt::help::Request& r) { asked << r.context; });
        qvt::dialogs::DisplayDialog& dlg = *bench_->dialogs.displayDialog;
        QVERIFY(dlg.windowFlags() & Qt::WindowStaysOnTopHint);
        Control<QPushButton>(dlg, "HelpBtn")->click();
        qvt::help::SetHandler(previous);
        QCOMPARE(asked, QList<int>{32});
    }

    // Every dialog has this from the dialog base; the display dialog has all
    // kinds of button.
    void enterActsOnTheButtonTabbedTo_data() {
        QTest::addColumn<QString>("target");  // empty: stay in the edit
        QTest::addColumn<QString>("effect");
        QTest::newRow("edit") << QString() << "commit";
        QTest::newRow("OK") << "OKBtn"
                            << "commit";
        QTest::newRow("Abbrechen") << "CancelBtn"
                                   << "close";
        QTest::newRow("Hilfe") << "HelpBtn"
                               << "help";
        QTest::newRow("TEST") << "Button1"
                              << "test";
    }
    void enterActsOnTheButtonTabbedTo() {
        QFETCH(QString, target);
        QString effect = "nothing";
        const qvt::help::Handler previous =
            qvt::help::SetHandler([&effect](const qvt::help::Request&) { effect = "help"; });
        qvt::dialogs::DisplayDialog& dlg = *bench_->dialogs.displayDialog;
        dlg.SetTestValueSender([&effect](std::string_view, int) { return effect = "test", 6; });
        bench_->openers.OpenDisplay();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        Retype(Control<qvt::FieldEdit>(dlg, "AzEdit1"), "77");
        QWidget* focus = target.isEmpty()
                             ? static_cast<QWidget*>(Control<qvt::FieldEdit>(dlg, "AzEdit1"))
                             : dlg.findChild<QPushButton*>(target);
        for (int tabs = 0; tabs < 30 && QApplication::focusWidget() != focus; ++tabs)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(focus, Qt::Key_Return);
        qvt::help::SetHandler(previous);
        if (!dlg.isVisible())
            effect = record().azAverageCount == "77" ? "commit" : "close";
        QTEST(effect, "effect");
    }
};

QTEST_MAIN(AzDlgTest)
#include "display_dialog_test.moc"
