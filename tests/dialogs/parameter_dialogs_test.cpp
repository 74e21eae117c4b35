// The parameter dialogs other than the display dialog: what opening shows,
// what OK stores per device type, what cancelling leaves, and the clock
// dialog's PC time from a fixed clock.
#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTest>

#include "core/application_state.h"
#include "core/field_check.h"
#include "core/parameter_record.h"
#include "dialogs/az_dlg.h"
#include "dialogs/da_dlg.h"
#include "dialogs/dialog_controls.h"
#include "dialogs/fuwahl_dlg.h"
#include "dialogs/gw_dlg.h"
#include "dialogs/mb_dlg.h"
#include "dialogs/message_box.h"
#include "dialogs/pt_dlg.h"
#include "dialogs/rtc_dlg.h"
#include "dialogs/sio_dlg.h"
#include "dialogs/so_dlg.h"
#include "dialogs/spkt_dlg.h"
#include "platform/help.h"

namespace {

int Checked(const QList<QRadioButton*>& buttons) {
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

void Retype(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

// The widget Tab moves to from w.
QWidget* NextTabStop(QWidget* w) {
    do {
        w = w->nextInFocusChain();
    } while (!(w->focusPolicy() & Qt::TabFocus));
    return w;
}

QList<QRadioButton*> Baud(TSioDlg& d) {
    return {d.BdRBtn[0], d.BdRBtn[1], d.BdRBtn[2], d.BdRBtn[3],
            d.BdRBtn[4], d.BdRBtn[5], d.BdRBtn[6]};
}
QList<QRadioButton*> Modes(TSioDlg& d) {
    return {d.SioRBtn3, d.SioRBtn2, d.SioRBtn4};
}
QList<QRadioButton*> Weekdays(TRtcDlg& d) {
    return {d.RTCRBtn[0], d.RTCRBtn[1], d.RTCRBtn[2], d.RTCRBtn[3],
            d.RTCRBtn[4], d.RTCRBtn[5], d.RTCRBtn[6]};
}
QList<QRadioButton*> Sensors(TPtDlg& d) {
    return {d.PtBtn1, d.PtBtn2, d.PtBtn3, d.PtBtn4};
}
QList<QRadioButton*> Cards(TDaDlg& d) {
    return {d.DaRBtn1, d.DaRBtn2, d.DaRBtn3};
}

}  // namespace

class ParameterDialogsTest : public QObject {
    Q_OBJECT

  private:
    qvt::ParameterRecord record_;
    qvt::ApplicationState state_;

  private slots:
    void init() {
        record_ = {};
        state_ = {};
    }

    // ---- Switching points ---------------------------------------------------

    void switchingPointsShowAndStoreTexts() {
        TSPktDlg dlg(record_, state_);
        dlg.Open();
        for (QLineEdit* e :
             {dlg.Sp1Edit1, dlg.Sp1Edit2, dlg.Sp1Edit3, dlg.Sp2Edit1, dlg.Sp2Edit2, dlg.Sp2Edit3}) {
            QCOMPARE(e->text(), QString("0000"));
        }
        for (QCheckBox* b : {dlg.Sp1CBox1, dlg.Sp1CBox2, dlg.Sp2CBox1, dlg.Sp2CBox2}) {
            QVERIFY(!b->isChecked());
        }
        Retype(dlg.Sp1Edit1, "-0150");
        Retype(dlg.Sp1Edit2, "-012345");  // five characters at most
        Retype(dlg.Sp1Edit3, "98765");    // the delay field holds four
        Retype(dlg.Sp2Edit1, " 0200");
        Retype(dlg.Sp2Edit2, "-12");
        Retype(dlg.Sp2Edit3, "7");
        dlg.Sp1CBox1->setChecked(true);
        dlg.Sp2CBox2->setChecked(true);
        dlg.OKBtn->click();
        QVERIFY(record_.sp1Setpoint == "-0150");
        QVERIFY(record_.sp1Hysteresis == "-0123");
        QVERIFY(record_.sp1Delay == "9876");
        QVERIFY(record_.sp2Setpoint == " 0200");
        QVERIFY(record_.sp2Hysteresis == "-12");
        QVERIFY(record_.sp2Delay == "7");
        QCOMPARE(int(record_.sp1RelayNC), 1);
        QCOMPARE(int(record_.sp1Active), 0);
        QCOMPARE(int(record_.sp2RelayNC), 0);
        QCOMPARE(int(record_.sp2Active), 1);

        // Unticking "Aktiv" keeps the texts.
        dlg.Open();
        QVERIFY(dlg.Sp2CBox2->isChecked());
        dlg.Sp2CBox2->setChecked(false);
        dlg.OKBtn->click();
        QCOMPARE(int(record_.sp2Active), 0);
        QVERIFY(record_.sp2Setpoint == " 0200");
        QVERIFY(record_.sp2Delay == "7");
    }

    void switchingPointsCancelKeepsAllTenFields() {
        record_.sp1Setpoint = "1";
        record_.sp2Hysteresis = "-2";
        record_.sp1Active = 1;
        TSPktDlg dlg(record_, state_);
        dlg.Open();
        for (QLineEdit* e :
             {dlg.Sp1Edit1, dlg.Sp1Edit2, dlg.Sp1Edit3, dlg.Sp2Edit1, dlg.Sp2Edit2, dlg.Sp2Edit3}) {
            Retype(e, "9");
        }
        for (QCheckBox* b : {dlg.Sp1CBox1, dlg.Sp1CBox2, dlg.Sp2CBox1, dlg.Sp2CBox2}) b->toggle();
        dlg.CancelBtn->click();
        const qvt::ParameterRecord fresh;
        QVERIFY(record_.sp1Setpoint == "1");
        QVERIFY(record_.sp1Hysteresis == fresh.sp1Hysteresis);
        QVERIFY(record_.sp1Delay == fresh.sp1Delay);
        QVERIFY(record_.sp2Setpoint == fresh.sp2Setpoint);
        QVERIFY(record_.sp2Hysteresis == "-2");
        QVERIFY(record_.sp2Delay == fresh.sp2Delay);
        QCOMPARE(int(record_.sp1RelayNC), 0);
        QCOMPARE(int(record_.sp1Active), 1);
        QCOMPARE(int(record_.sp2RelayNC), 0);
        QCOMPARE(int(record_.sp2Active), 0);
        dlg.Open();
        QCOMPARE(dlg.Sp1Edit1->text(), QString("1"));
        QVERIFY(dlg.Sp1CBox2->isChecked());
    }

    // ---- Measuring range, sensor, function selection ------------------------

    void functionCodeOpensBothDialogs_data() {
        QTest::addColumn<int>("funcCode");
        QTest::addColumn<int>("sensor");
        QTest::addColumn<bool>("total");
        QTest::newRow("0") << 0 << 0 << false;
        QTest::newRow("1") << 1 << 1 << true;
        QTest::newRow("2") << 2 << 2 << false;
        QTest::newRow("3") << 3 << 3 << false;
        QTest::newRow("7") << 7 << 0 << false;
        QTest::newRow("-1") << -1 << 0 << false;
    }
    void functionCodeOpensBothDialogs() {
        QFETCH(int, funcCode);
        QFETCH(int, sensor);
        QFETCH(bool, total);
        TMbDlg mb(record_, state_);
        TPtDlg pt(record_, state_);
        record_.funcCode = funcCode;
        mb.FillFromRecord();
        pt.FillFromRecord();
        QCOMPARE(Checked(Sensors(pt)), sensor);
        QCOMPARE(mb.MbCBox->isChecked(), total);
        QCOMPARE(record_.funcCode, funcCode);
    }

    void sensorAndRangeShareTheFunctionCode() {
        record_.funcCode = 3;  // set before the range dialog exists
        TMbDlg mb(record_, state_);
        QCOMPARE(record_.funcCode, 0);  // creating it starts the code at 0
        TPtDlg pt(record_, state_);
        for (int button = 0; button < 4; ++button) {
            pt.FillFromRecord();
            Sensors(pt)[button]->setChecked(true);
            pt.OKBtn->click();
            QCOMPARE(record_.funcCode, button);
        }
        // Code 3 stored; committing the range dialog with the box cleared gives 0.
        mb.FillFromRecord();
        QVERIFY(!mb.MbCBox->isChecked());
        mb.OKBtn->click();
        QCOMPARE(record_.funcCode, 0);
        pt.FillFromRecord();
        QVERIFY(pt.PtBtn1->isChecked());

        // Code 1 shows the box checked, and an unchanged commit keeps 1.
        record_.funcCode = 1;
        mb.FillFromRecord();
        QVERIFY(mb.MbCBox->isChecked());
        mb.OKBtn->click();
        QCOMPARE(record_.funcCode, 1);
    }

    void rangeEditsCarryTheTexts() {
        record_.mbMeasStart = "-100";
        record_.mbDisplayEnd = "12";
        TMbDlg mb(record_, state_);
        mb.FillFromRecord();
        QCOMPARE(mb.MbEdit1->text(), QString("-100"));
        QCOMPARE(mb.MbEdit2->text(), QString("0000"));
        QCOMPARE(mb.MbEdit4->text(), QString("12"));
        Retype(mb.MbEdit2, "-12345");
        Retype(mb.MbEdit3, "");
        mb.CancelBtn->click();
        QVERIFY(record_.mbDisplayStart == "0000");
        mb.FillFromRecord();
        Retype(mb.MbEdit2, "-12345");
        Retype(mb.MbEdit3, "");
        mb.OKBtn->click();
        QVERIFY(record_.mbMeasStart == "-100");
        QVERIFY(record_.mbDisplayStart == "-123");
        QVERIFY(record_.mbMeasEnd == "");
        QVERIFY(record_.mbDisplayEnd == "12");
    }

    void functionSelectionLeadsToTheChosenDialog() {
        TMbDlg mb(record_, state_);
        TPtDlg pt(record_, state_);
        TFuWahlDlg fu(record_, state_);
        fu.SetTargets(&mb, &pt);
        record_.funcCode = 2;
        const qvt::ParameterRecord before = record_;

        fu.ShowModeless();
        fu.FuWahlBtn2->setChecked(true);
        fu.OKBtn->click();
        QVERIFY(!fu.isVisible());
        QVERIFY(pt.isVisible());
        QVERIFY(!mb.isVisible());
        pt.CancelBtn->click();

        fu.ShowModeless();
        QVERIFY(fu.FuWahlBtn2->isChecked());  // keeps the user's last choice
        fu.FuWahlBtn1->setChecked(true);
        fu.OKBtn->click();
        QVERIFY(mb.isVisible());
        QVERIFY(!pt.isVisible());
        QCOMPARE(record_.funcCode, before.funcCode);  // it writes nothing itself
    }

    // ---- Device serial interface ---------------------------------------------

    void sendingModeIsCodedByDeviceType_data() {
        QTest::addColumn<int>("deviceType");
        QTest::addColumn<int>("button");  // 0 Passiv, 1 RS232-sec., 2 RS232-min.
        QTest::addColumn<int>("stored");
        QTest::newRow("type 0 sec") << 0 << 1 << 2;
        QTest::newRow("type 0 min") << 0 << 2 << 1;
        QTest::newRow("type 0 passive") << 0 << 0 << 0;
        QTest::newRow("type 1 sec") << 1 << 1 << 1;
        QTest::newRow("type 1 min") << 1 << 2 << 2;
        QTest::newRow("type 2 sec") << 2 << 1 << 2;
        QTest::newRow("type 2 min") << 2 << 2 << 1;
        QTest::newRow("unknown type sec") << 5 << 1 << 1;
    }
    void sendingModeIsCodedByDeviceType() {
        QFETCH(int, deviceType);
        QFETCH(int, button);
        QFETCH(int, stored);
        record_.deviceType = static_cast<std::uint8_t>(deviceType);
        TSioDlg dlg(record_, state_);
        dlg.Open();
        Modes(dlg)[button]->setChecked(true);
        dlg.OKBtn->click();
        QCOMPARE(int(record_.sioMode), stored);
        dlg.Open();
        QCOMPARE(Checked(Modes(dlg)), button);
    }

    void openingShowsPassiveAndAlignsThePcBaudRate_data() {
        QTest::addColumn<int>("sioBaudIndex");
        QTest::addColumn<int>("button");
        QTest::newRow("150") << 0 << 0;
        QTest::newRow("2400") << 4 << 4;
        QTest::newRow("9600") << 6 << 6;
        QTest::newRow("7 is unknown") << 7 << 5;
        QTest::newRow("9 is unknown") << 9 << 5;
    }
    void openingShowsPassiveAndAlignsThePcBaudRate() {
        QFETCH(int, sioBaudIndex);
        QFETCH(int, button);
        record_.sioBaudIndex = static_cast<std::uint8_t>(sioBaudIndex);
        record_.sioMode = 9;  // no such mode: "Passiv"
        state_.BaudIndex = 3;
        TSioDlg dlg(record_, state_);
        QVERIFY(dlg.SioRBtn3->isHidden());
        dlg.Open();
        QCOMPARE(Checked(Baud(dlg)), button);
        QCOMPARE(int(state_.BaudIndex), button);
        QVERIFY(dlg.SioRBtn3->isVisible());
        QVERIFY(dlg.SioRBtn3->isChecked());
        QCOMPARE(int(record_.sioBaudIndex), sioBaudIndex);  // opening leaves the record

        Baud(dlg)[1]->setChecked(true);
        dlg.OKBtn->click();
        QCOMPARE(int(record_.sioBaudIndex), 1);
        QCOMPARE(int(state_.BaudIndex), button);  // OK does not touch the PC's rate
    }

    void sendCycleEditAdmitsThreeCharactersButKeepsLongerTexts() {
        TSioDlg dlg(record_, state_);
        dlg.Open();
        // The default text has four characters; it is shown and kept whole.
        QCOMPARE(dlg.TimEdit->text(), QString("0000"));
        dlg.TimEdit->setFocus();
        dlg.TimEdit->end(false);
        QTest::keyClicks(dlg.TimEdit, "5");
        QCOMPARE(dlg.TimEdit->text(), QString("0000"));
        dlg.OKBtn->click();
        QVERIFY(record_.sioSendCycle == "0000");

        dlg.Open();
        QTest::keyClick(dlg.TimEdit, Qt::Key_Backspace);
        QTest::keyClicks(dlg.TimEdit, "12");  // back at three, no more
        QCOMPARE(dlg.TimEdit->text(), QString("000"));
        Retype(dlg.TimEdit, "12345");
        QCOMPARE(dlg.TimEdit->text(), QString("123"));
        dlg.OKBtn->click();
        QVERIFY(record_.sioSendCycle == "123");
    }

    // ---- Clock -----------------------------------------------------------------

    void automaticTimeComesFromThePcClock_data() {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QStringList>("fields");  // minute, hour, day, month, year
        QTest::addColumn<int>("weekday");
        QTest::newRow("Monday morning") << QDateTime(QDate(2008, 3, 3), QTime(9, 5, 30))
                                        << QStringList{"05", "09", "03", "03", "2008"} << 1;
        QTest::newRow("Sunday evening") << QDateTime(QDate(2024, 11, 17), QTime(23, 59))
                                        << QStringList{"59", "23", "17", "11", "2024"} << 0;
        QTest::newRow("Saturday midnight") << QDateTime(QDate(2000, 1, 1), QTime(0, 0))
                                           << QStringList{"00", "00", "01", "01", "2000"} << 6;
    }
    void automaticTimeComesFromThePcClock() {
        QFETCH(QDateTime, now);
        QFETCH(QStringList, fields);
        QFETCH(int, weekday);
        record_.rtcAuto = 1;
        TRtcDlg dlg(record_, state_);
        dlg.SetClock([now] { return now; });
        dlg.Open();
        const QStringList shown = {dlg.RTCMinEd->text(), dlg.RTCStdEd->text(), dlg.RTCTagEd->text(),
                                   dlg.RTCMonEd->text(), dlg.RTCJarEd->text()};
        QCOMPARE(shown, fields);
        const QStringList stored = {QString::fromStdString(record_.rtcMinute.str()),
                                    QString::fromStdString(record_.rtcHour.str()),
                                    QString::fromStdString(record_.rtcDay.str()),
                                    QString::fromStdString(record_.rtcMonth.str()),
                                    QString::fromStdString(record_.rtcYear.str())};
        QCOMPARE(stored, fields);
        QCOMPARE(int(record_.rtcWeekday), weekday);
        QCOMPARE(Checked(Weekdays(dlg)), weekday);
        QVERIFY(dlg.RTCCBox->isChecked());

        // Cancelling keeps the PC time written on opening.
        dlg.CancelBtn->click();
        QCOMPARE(int(record_.rtcWeekday), weekday);
        QCOMPARE(QString::fromStdString(record_.rtcYear.str()), fields[4]);
    }

    void activationRefreshesOnlyWithAutomaticTimeStored() {
        QDateTime now(QDate(2008, 3, 3), QTime(9, 5));
        record_.rtcAuto = 1;
        TRtcDlg dlg(record_, state_);
        dlg.SetClock([&now] { return now; });
        dlg.Open();
        now = QDateTime(QDate(2008, 3, 4), QTime(10, 6));
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(&dlg, &activate);
        QCOMPARE(dlg.RTCMinEd->text(), QString("06"));
        QCOMPARE(dlg.RTCTagEd->text(), QString("04"));
        QVERIFY(record_.rtcHour == "10");
        QCOMPARE(int(record_.rtcWeekday), 2);
        QVERIFY(dlg.RTCRBtn[1]->isChecked());  // the buttons are not changed by a refresh

        // Unticking takes effect with OK only; then activation leaves everything alone.
        dlg.RTCCBox->setChecked(false);
        now = QDateTime(QDate(2009, 5, 6), QTime(11, 7));
        QApplication::sendEvent(&dlg, &activate);
        QVERIFY(record_.rtcYear == "2009");
        dlg.OKBtn->click();
        QCOMPARE(int(record_.rtcAuto), 0);
        now = QDateTime(QDate(2010, 5, 6), QTime(11, 7));
        dlg.Open();
        QApplication::sendEvent(&dlg, &activate);
        QVERIFY(record_.rtcYear == "2009");
        QCOMPARE(dlg.RTCJarEd->text(), QString("2009"));
        QVERIFY(!dlg.RTCCBox->isChecked());
    }

    void clockFieldsTypedByHand_data() {
        QTest::addColumn<int>("storedWeekday");
        QTest::addColumn<int>("shownButton");
        QTest::addColumn<int>("chosenButton");
        QTest::newRow("Sonntag") << 1 << 1 << 0;
        QTest::newRow("Montag") << 0 << 0 << 1;
        QTest::newRow("Mittwoch") << 6 << 6 << 3;
        QTest::newRow("Samstag") << 9 << 1 << 6;  // unknown weekday shows Montag
    }
    void clockFieldsTypedByHand() {
        QFETCH(int, storedWeekday);
        QFETCH(int, shownButton);
        QFETCH(int, chosenButton);
        record_.rtcAuto = 0;
        record_.rtcWeekday = static_cast<std::uint8_t>(storedWeekday);
        TRtcDlg dlg(record_, state_);
        dlg.SetClock([] { return QDateTime(QDate(2030, 1, 1), QTime(1, 1)); });
        dlg.Open();
        QCOMPARE(Checked(Weekdays(dlg)), shownButton);
        QCOMPARE(dlg.RTCJarEd->text(), QString("2001"));  // the clock was not asked
        Weekdays(dlg)[chosenButton]->setChecked(true);
        Retype(dlg.RTCMinEd, "777");
        Retype(dlg.RTCStdEd, "25");
        Retype(dlg.RTCJarEd, "19999");
        dlg.RTCCBox->setChecked(true);
        dlg.OKBtn->click();
        QCOMPARE(int(record_.rtcWeekday), chosenButton);
        QVERIFY(record_.rtcMinute == "77");
        QVERIFY(record_.rtcHour == "25");
        QVERIFY(record_.rtcYear == "1999");
        QVERIFY(record_.rtcDay == "01");
        QCOMPARE(int(record_.rtcAuto), 1);
    }

    // ---- Extension card, miscellaneous, device type ----------------------------

    void extensionCard_data() {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("shown");
        QTest::addColumn<int>("written");  // OK without a change
        QTest::newRow("analogue") << 0 << 0 << 0;
        QTest::newRow("serial") << 1 << 1 << 1;
        QTest::newRow("none") << 2 << 2 << 2;
        QTest::newRow("5 is unknown") << 5 << 0 << 0;
    }
    void extensionCard() {
        QFETCH(int, stored);
        QFETCH(int, shown);
        QFETCH(int, written);
        record_.daCardType = static_cast<std::uint8_t>(stored);
        TDaDlg dlg(record_, state_);
        dlg.Open();
        QCOMPARE(Checked(Cards(dlg)), shown);
        dlg.OKBtn->click();
        QCOMPARE(int(record_.daCardType), written);
        for (int button : {2, 0, 1}) {
            dlg.Open();
            Cards(dlg)[button]->setChecked(true);
            dlg.OKBtn->click();
            QCOMPARE(int(record_.daCardType), button);
        }
    }

    void miscellaneous_data() {
        QTest::addColumn<int>("displayMode");
        QTest::addColumn<int>("direction");
        QTest::addColumn<bool>("showsTime");
        QTest::addColumn<bool>("showsBackwards");
        QTest::newRow("0 0") << 0 << 0 << false << false;
        QTest::newRow("1 1") << 1 << 1 << true << true;
        QTest::newRow("2 7") << 2 << 7 << true << true;
    }
    void miscellaneous() {
        QFETCH(int, displayMode);
        QFETCH(int, direction);
        QFETCH(bool, showsTime);
        QFETCH(bool, showsBackwards);
        record_.soDisplayMode = static_cast<std::uint8_t>(displayMode);
        record_.soCountDirection = static_cast<std::uint8_t>(direction);
        TSoDlg dlg(record_, state_);
        dlg.Open();
        QCOMPARE(dlg.SoEdit1->text(), QString("0100"));
        QCOMPARE(dlg.SoAzRBtn2->isChecked(), showsTime);
        QCOMPARE(dlg.SoAzRBtn1->isChecked(), !showsTime);
        QCOMPARE(dlg.SoZlRBtn2->isChecked(), showsBackwards);
        QCOMPARE(dlg.SoZlRBtn1->isChecked(), !showsBackwards);
        Retype(dlg.SoEdit1, "123456");
        dlg.OKBtn->click();
        QCOMPARE(int(record_.soDisplayMode), showsTime ? 1 : 0);
        QCOMPARE(int(record_.soCountDirection), showsBackwards ? 1 : 0);
        QVERIFY(record_.soEncoderPulses == "1234");
    }

    void deviceTypeDialog_data() {
        QTest::addColumn<int>("deviceType");
        QTest::addColumn<bool>("firstPreselected");
        QTest::newRow("type 0") << 0 << true;
        QTest::newRow("type 1") << 1 << false;
        QTest::newRow("type 2") << 2 << true;
    }
    void deviceTypeDialog() {
        QFETCH(int, deviceType);
        QFETCH(bool, firstPreselected);
        QLabel label("QVT055-Uhr-2");
        record_.deviceType = static_cast<std::uint8_t>(deviceType);
        TGwDlg dlg(record_, state_);
        dlg.SetDeviceLabel(&label);
        dlg.Open();
        QCOMPARE(dlg.GwRButton1->isChecked(), firstPreselected);
        QCOMPARE(dlg.GwRButton2->isChecked(), !firstPreselected);
        dlg.CancelBtn->click();
        QCOMPARE(int(record_.deviceType), deviceType);
        QCOMPARE(label.text(), QString("QVT055-Uhr-2"));

        dlg.Open();
        dlg.GwRButton1->setChecked(true);
        dlg.OKBtn->click();
        QCOMPARE(int(record_.deviceType), 0);
        QCOMPARE(label.text(), QString("QVT410"));
        dlg.Open();
        dlg.GwRButton2->setChecked(true);
        dlg.OKBtn->click();
        QCOMPARE(int(record_.deviceType), 1);
        QCOMPARE(label.text(), QString("QVT0xx"));
    }

    // ---- Common ----------------------------------------------------------------

    void helpButtonsAskForTheirContext() {
        QList<int> asked;
        const qvt::help::Handler previous =
            qvt::help::SetHandler([&asked](const qvt::help::Request& r) { asked << r.context; });
        TFuWahlDlg fu(record_, state_);
        TMbDlg mb(record_, state_);
        TPtDlg pt(record_, state_);
        TSPktDlg sp(record_, state_);
        TSioDlg sio(record_, state_);
        TRtcDlg rtc(record_, state_);
        TDaDlg da(record_, state_);
        TSoDlg so(record_, state_);
        TGwDlg gw(record_, state_);
        for (TOKBottomDlg* d :
             std::initializer_list<TOKBottomDlg*>{&fu, &mb, &pt, &sp, &sio, &rtc, &da, &so, &gw}) {
            d->ShowModeless();
            d->HelpBtn->click();
            QVERIFY(d->isVisible());  // help leaves the dialog open
            QCOMPARE(d->HelpBtn->text(), QString("&Hilfe"));
            QCOMPARE(d->OKBtn->text(), QString("OK"));
            QCOMPARE(d->CancelBtn->text(), QString("Abbrechen"));
            QVERIFY(d->OKBtn->isDefault());
        }
        qvt::help::SetHandler(previous);
        QCOMPARE(asked, (QList<int>{31, 31, 31, 33, 34, 35, 36, 37, 0}));
    }

    void keyboardStartsAtTheFirstControlAndEndsAtTheButtons() {
        record_.deviceType = 1;
        TSPktDlg sp(record_, state_);
        sp.Open();
        QCOMPARE(sp.focusWidget(), static_cast<QWidget*>(sp.Sp1Edit1));
        QCOMPARE(NextTabStop(sp.Sp2CBox2), static_cast<QWidget*>(sp.OKBtn));
        QCOMPARE(NextTabStop(sp.OKBtn), static_cast<QWidget*>(sp.CancelBtn));
        QCOMPARE(NextTabStop(sp.CancelBtn), static_cast<QWidget*>(sp.HelpBtn));

        // In a radio group the keyboard lands on the chosen button.
        TGwDlg gw(record_, state_);
        gw.Open();
        QCOMPARE(gw.focusWidget(), static_cast<QWidget*>(gw.GwRButton2));
        TDaDlg da(record_, state_);
        record_.daCardType = 2;
        da.Open();
        QCOMPARE(da.focusWidget(), static_cast<QWidget*>(da.DaRBtn3));
    }

    // OK refuses a text its telegram field cannot carry: the dialog stays open
    // with the keyboard on the first failing edit, and the record keeps its values.
    void okRefusesWhatCannotBeSent() {
        TMbDlg mb(record_, state_);
        TSPktDlg sp(record_, state_);
        TSioDlg sio(record_, state_);
        TSoDlg so(record_, state_);
        TAzDlg az(record_, state_);
        mb.ShowModeless();
        sp.Open();
        sio.Open();
        so.Open();
        az.Open();
        Retype(sp.Sp1Edit3, "-5");
        const struct {
            TOKBottomDlg* dialog;
            QLineEdit* edit;
            QString text;
            QWidget* focus;
            QString message;
        } cases[] = {
            {&mb, mb.MbEdit3, "2000", mb.MbEdit3,
             "Messwert Bereichsende: 2000 (zulässig -1999 bis 1999)"},
            {&sp, sp.Sp2Edit2, "1x", sp.Sp1Edit3,
             "Schaltpunkt 1 – Verzögerung: -5 (zulässig 0 bis 9999)\n"
             "Schaltpunkt 2 – Hysterese: 1x (zulässig -1999 bis 1999)"},
            {&sio, sio.TimEdit, "300", sio.TimEdit, "Sendezyklus: 300 (zulässig 0 bis 255)"},
            {&so, so.SoEdit1, "-", so.SoEdit1,
             "Impulse des Drehgebers: - (zulässig -1999 bis 1999)"},
            {&az, az.AzEdit1, "12x", az.AzEdit1,
             "Messungen für Durchschnittsbildung: 12x (zulässig 0 bis 9999)"},
        };
        QStringList messages;
        qvt::SetMessageInterceptor([&messages](const QString& text, const QString& caption) {
            messages << caption + ": " + text;
        });
        const auto restore = qScopeGuard([] { qvt::SetMessageInterceptor({}); });
        for (const auto& c : cases) {
            Retype(c.edit, c.text);
            c.dialog->OKBtn->setFocus();
            c.dialog->OKBtn->click();
            QCOMPARE(messages, QStringList{"Fehler: " + c.message});
            messages.clear();
            QVERIFY(c.dialog->isVisible());
            QCOMPARE(c.dialog->focusWidget(), c.focus);
        }
        QVERIFY(qvt::CheckSentFields(record_).empty());
    }
};

QTEST_MAIN(ParameterDialogsTest)
#include "parameter_dialogs_test.moc"
