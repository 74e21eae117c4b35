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

#include "core/field_check.h"
#include "core/parameter_record.h"
#include "dialogs/az_dlg.h"
#include "dialogs/da_dlg.h"
#include "dialogs/dialog_bench.h"
#include "dialogs/fuwahl_dlg.h"
#include "dialogs/gw_dlg.h"
#include "dialogs/mb_dlg.h"
#include "dialogs/message_box.h"
#include "dialogs/pt_dlg.h"
#include "dialogs/rtc_dlg.h"
#include "dialogs/sio_dlg.h"
#include "dialogs/so_dlg.h"
#include "dialogs/spkt_dlg.h"
#include "dialogs/widgets.h"
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
    std::unique_ptr<DialogBench> bench_;
    qvt::ParameterRecord& record() { return bench_->context.record; }

  private slots:
    void init() { bench_ = std::make_unique<DialogBench>(); }

    // ---- Switching points ---------------------------------------------------

    void switchingPointsShowAndStoreTexts() {
        TSPktDlg& dlg = *bench_->dialogs.SPktDlg;
        bench_->openers.OpenSwitchingPoints();
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
        QVERIFY(record().sp1Setpoint == "-0150");
        QVERIFY(record().sp1Hysteresis == "-0123");
        QVERIFY(record().sp1Delay == "9876");
        QVERIFY(record().sp2Setpoint == " 0200");
        QVERIFY(record().sp2Hysteresis == "-12");
        QVERIFY(record().sp2Delay == "7");
        QCOMPARE(int(record().sp1RelayNC), 1);
        QCOMPARE(int(record().sp1Active), 0);
        QCOMPARE(int(record().sp2RelayNC), 0);
        QCOMPARE(int(record().sp2Active), 1);

        // Unticking "Aktiv" keeps the texts.
        bench_->openers.OpenSwitchingPoints();
        QVERIFY(dlg.Sp2CBox2->isChecked());
        dlg.Sp2CBox2->setChecked(false);
        dlg.OKBtn->click();
        QCOMPARE(int(record().sp2Active), 0);
        QVERIFY(record().sp2Setpoint == " 0200");
        QVERIFY(record().sp2Delay == "7");
    }

    void switchingPointsCancelKeepsAllTenFields() {
        record().sp1Setpoint = "1";
        record().sp2Hysteresis = "-2";
        record().sp1Active = 1;
        TSPktDlg& dlg = *bench_->dialogs.SPktDlg;
        bench_->openers.OpenSwitchingPoints();
        for (QLineEdit* e :
             {dlg.Sp1Edit1, dlg.Sp1Edit2, dlg.Sp1Edit3, dlg.Sp2Edit1, dlg.Sp2Edit2, dlg.Sp2Edit3}) {
            Retype(e, "9");
        }
        for (QCheckBox* b : {dlg.Sp1CBox1, dlg.Sp1CBox2, dlg.Sp2CBox1, dlg.Sp2CBox2}) b->toggle();
        dlg.CancelBtn->click();
        const qvt::ParameterRecord fresh;
        QVERIFY(record().sp1Setpoint == "1");
        QVERIFY(record().sp1Hysteresis == fresh.sp1Hysteresis);
        QVERIFY(record().sp1Delay == fresh.sp1Delay);
        QVERIFY(record().sp2Setpoint == fresh.sp2Setpoint);
        QVERIFY(record().sp2Hysteresis == "-2");
        QVERIFY(record().sp2Delay == fresh.sp2Delay);
        QCOMPARE(int(record().sp1RelayNC), 0);
        QCOMPARE(int(record().sp1Active), 1);
        QCOMPARE(int(record().sp2RelayNC), 0);
        QCOMPARE(int(record().sp2Active), 0);
        bench_->openers.OpenSwitchingPoints();
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
        TMbDlg& mb = *bench_->dialogs.MbDlg;
        TPtDlg& pt = *bench_->dialogs.PtDlg;
        record().funcCode = funcCode;
        bench_->openers.FillRangeAndSensor();
        QCOMPARE(Checked(Sensors(pt)), sensor);
        QCOMPARE(mb.MbCBox->isChecked(), total);
        QCOMPARE(record().funcCode, funcCode);
    }

    void sensorAndRangeShareTheFunctionCode() {
        qvt::ParameterRecord preset;
        preset.funcCode = 3;  // set before the range dialog exists
        bench_ = std::make_unique<DialogBench>(preset);
        TMbDlg& mb = *bench_->dialogs.MbDlg;
        QCOMPARE(record().funcCode, 0);  // creating it starts the code at 0
        TPtDlg& pt = *bench_->dialogs.PtDlg;
        for (int button = 0; button < 4; ++button) {
            bench_->openers.FillRangeAndSensor();
            Sensors(pt)[button]->setChecked(true);
            pt.OKBtn->click();
            QCOMPARE(record().funcCode, button);
        }
        // Code 3 stored; committing the range dialog with the box cleared gives 0.
        bench_->openers.FillRangeAndSensor();
        QVERIFY(!mb.MbCBox->isChecked());
        mb.OKBtn->click();
        QCOMPARE(record().funcCode, 0);
        bench_->openers.FillRangeAndSensor();
        QVERIFY(pt.PtBtn1->isChecked());

        // Code 1 shows the box checked, and an unchanged commit keeps 1.
        record().funcCode = 1;
        bench_->openers.FillRangeAndSensor();
        QVERIFY(mb.MbCBox->isChecked());
        mb.OKBtn->click();
        QCOMPARE(record().funcCode, 1);
    }

    void rangeEditsCarryTheTexts() {
        record().mbMeasStart = "-100";
        record().mbDisplayEnd = "12";
        TMbDlg& mb = *bench_->dialogs.MbDlg;
        bench_->openers.FillRangeAndSensor();
        QCOMPARE(mb.MbEdit1->text(), QString("-100"));
        QCOMPARE(mb.MbEdit2->text(), QString("0000"));
        QCOMPARE(mb.MbEdit4->text(), QString("12"));
        Retype(mb.MbEdit2, "-12345");
        Retype(mb.MbEdit3, "");
        mb.CancelBtn->click();
        QVERIFY(record().mbDisplayStart == "0000");
        bench_->openers.FillRangeAndSensor();
        Retype(mb.MbEdit2, "-12345");
        Retype(mb.MbEdit3, "");
        mb.OKBtn->click();
        QVERIFY(record().mbMeasStart == "-100");
        QVERIFY(record().mbDisplayStart == "-123");
        QVERIFY(record().mbMeasEnd == "");
        QVERIFY(record().mbDisplayEnd == "12");
    }

    void functionSelectionLeadsToTheChosenDialog() {
        TMbDlg& mb = *bench_->dialogs.MbDlg;
        TPtDlg& pt = *bench_->dialogs.PtDlg;
        TFuWahlDlg& fu = *bench_->dialogs.FuWahlDlg;
        record().funcCode = 2;
        const qvt::ParameterRecord before = record();

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
        QCOMPARE(record().funcCode, before.funcCode);  // it writes nothing itself
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
        record().deviceType = static_cast<std::uint8_t>(deviceType);
        TSioDlg& dlg = *bench_->dialogs.SioDlg;
        bench_->openers.OpenDeviceSerial();
        Modes(dlg)[button]->setChecked(true);
        dlg.OKBtn->click();
        QCOMPARE(int(record().sioMode), stored);
        bench_->openers.OpenDeviceSerial();
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
        record().sioBaudIndex = static_cast<std::uint8_t>(sioBaudIndex);
        record().sioMode = 9;  // no such mode: "Passiv"
        bench_->context.state.BaudIndex = 3;
        TSioDlg& dlg = *bench_->dialogs.SioDlg;
        QVERIFY(dlg.SioRBtn3->isHidden());
        bench_->openers.OpenDeviceSerial();
        QCOMPARE(Checked(Baud(dlg)), button);
        QCOMPARE(int(bench_->context.state.BaudIndex), button);
        QVERIFY(dlg.SioRBtn3->isVisible());
        QVERIFY(dlg.SioRBtn3->isChecked());
        QCOMPARE(int(record().sioBaudIndex), sioBaudIndex);  // opening leaves the record

        Baud(dlg)[1]->setChecked(true);
        dlg.OKBtn->click();
        QCOMPARE(int(record().sioBaudIndex), 1);
        QCOMPARE(int(bench_->context.state.BaudIndex), button);  // OK does not touch the PC's rate
    }

    void sendCycleEditAdmitsThreeCharactersButKeepsLongerTexts() {
        TSioDlg& dlg = *bench_->dialogs.SioDlg;
        bench_->openers.OpenDeviceSerial();
        // The default text has four characters; it is shown and kept whole.
        QCOMPARE(dlg.TimEdit->text(), QString("0000"));
        dlg.TimEdit->setFocus();
        dlg.TimEdit->end(false);
        QTest::keyClicks(dlg.TimEdit, "5");
        QCOMPARE(dlg.TimEdit->text(), QString("0000"));
        dlg.OKBtn->click();
        QVERIFY(record().sioSendCycle == "0000");

        bench_->openers.OpenDeviceSerial();
        QTest::keyClick(dlg.TimEdit, Qt::Key_Backspace);
        QTest::keyClicks(dlg.TimEdit, "12");  // back at three, no more
        QCOMPARE(dlg.TimEdit->text(), QString("000"));
        Retype(dlg.TimEdit, "12345");
        QCOMPARE(dlg.TimEdit->text(), QString("123"));
        dlg.OKBtn->click();
        QVERIFY(record().sioSendCycle == "123");
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
        record().rtcAuto = 1;
        TRtcDlg& dlg = *bench_->dialogs.RtcDlg;
        bench_->openers.SetPcClock([now] { return now; });
        bench_->openers.OpenClock();
        const QStringList shown = {dlg.RTCMinEd->text(), dlg.RTCStdEd->text(), dlg.RTCTagEd->text(),
                                   dlg.RTCMonEd->text(), dlg.RTCJarEd->text()};
        QCOMPARE(shown, fields);
        const QStringList stored = {QString::fromStdString(record().rtcMinute.str()),
                                    QString::fromStdString(record().rtcHour.str()),
                                    QString::fromStdString(record().rtcDay.str()),
                                    QString::fromStdString(record().rtcMonth.str()),
                                    QString::fromStdString(record().rtcYear.str())};
        QCOMPARE(stored, fields);
        QCOMPARE(int(record().rtcWeekday), weekday);
        QCOMPARE(Checked(Weekdays(dlg)), weekday);
        QVERIFY(dlg.RTCCBox->isChecked());

        // Cancelling keeps the PC time written on opening.
        dlg.CancelBtn->click();
        QCOMPARE(int(record().rtcWeekday), weekday);
        QCOMPARE(QString::fromStdString(record().rtcYear.str()), fields[4]);
    }

    void activationRefreshesOnlyWithAutomaticTimeStored() {
        QDateTime now(QDate(2008, 3, 3), QTime(9, 5));
        record().rtcAuto = 1;
        TRtcDlg& dlg = *bench_->dialogs.RtcDlg;
        bench_->openers.SetPcClock([&now] { return now; });
        bench_->openers.OpenClock();
        now = QDateTime(QDate(2008, 3, 4), QTime(10, 6));
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(&dlg, &activate);
        QCOMPARE(dlg.RTCMinEd->text(), QString("06"));
        QCOMPARE(dlg.RTCTagEd->text(), QString("04"));
        QVERIFY(record().rtcHour == "10");
        QCOMPARE(int(record().rtcWeekday), 2);
        QVERIFY(dlg.RTCRBtn[1]->isChecked());  // the buttons are not changed by a refresh

        // Unticking takes effect with OK only; then activation leaves everything alone.
        dlg.RTCCBox->setChecked(false);
        now = QDateTime(QDate(2009, 5, 6), QTime(11, 7));
        QApplication::sendEvent(&dlg, &activate);
        QVERIFY(record().rtcYear == "2009");
        dlg.OKBtn->click();
        QCOMPARE(int(record().rtcAuto), 0);
        now = QDateTime(QDate(2010, 5, 6), QTime(11, 7));
        bench_->openers.OpenClock();
        QApplication::sendEvent(&dlg, &activate);
        QVERIFY(record().rtcYear == "2009");
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
        record().rtcAuto = 0;
        record().rtcWeekday = static_cast<std::uint8_t>(storedWeekday);
        TRtcDlg& dlg = *bench_->dialogs.RtcDlg;
        bench_->openers.SetPcClock([] { return QDateTime(QDate(2030, 1, 1), QTime(1, 1)); });
        bench_->openers.OpenClock();
        QCOMPARE(Checked(Weekdays(dlg)), shownButton);
        QCOMPARE(dlg.RTCJarEd->text(), QString("2001"));  // the clock was not asked
        Weekdays(dlg)[chosenButton]->setChecked(true);
        Retype(dlg.RTCMinEd, "597");  // the edits keep two and four characters
        Retype(dlg.RTCStdEd, "23");
        Retype(dlg.RTCJarEd, "20999");
        dlg.RTCCBox->setChecked(true);
        dlg.OKBtn->click();
        QCOMPARE(int(record().rtcWeekday), chosenButton);
        QVERIFY(record().rtcMinute == "59");
        QVERIFY(record().rtcHour == "23");
        QVERIFY(record().rtcYear == "2099");
        QVERIFY(record().rtcDay == "01");
        QCOMPARE(int(record().rtcAuto), 1);
    }

    // A time or date the clock cannot show is refused like any other value:
    // the dialog stays open at the first wrong field and the record keeps its own.
    void clockRefusesImpossibleTimesAndDates() {
        record().rtcAuto = 0;
        TRtcDlg& dlg = *bench_->dialogs.RtcDlg;
        QStringList messages;
        qvt::SetMessageInterceptor([&messages](const QString& text, const QString& caption) {
            messages << caption + ": " + text;
        });
        const auto restore = qScopeGuard([] { qvt::SetMessageInterceptor({}); });
        const struct {
            const char *minute, *day, *month, *year;
            QLineEdit* focus;
            QString message;
        } cases[] = {
            {"75", "01", "01", "2026", dlg.RTCMinEd, "Fehler: Minuten: 75 (zulässig 0 bis 59)"},
            {"00", "31", "02", "2028", dlg.RTCTagEd, "Fehler: Tag: 31 (zulässig 1 bis 29)"},
        };
        for (const auto& c : cases) {
            bench_->openers.OpenClock();
            Retype(dlg.RTCMinEd, c.minute);
            Retype(dlg.RTCTagEd, c.day);
            Retype(dlg.RTCMonEd, c.month);
            Retype(dlg.RTCJarEd, c.year);
            dlg.OKBtn->setFocus();
            dlg.OKBtn->click();
            QCOMPARE(messages, QStringList{c.message});
            messages.clear();
            QVERIFY(dlg.isVisible());
            QCOMPARE(dlg.focusWidget(), static_cast<QWidget*>(c.focus));
            QVERIFY(record().rtcMinute == "00" && record().rtcDay == "01");
            QVERIFY(record().rtcMonth == "01" && record().rtcYear == "2001");
        }
        // The last day of a leap February is a day.
        Retype(dlg.RTCTagEd, "29");
        Retype(dlg.RTCMonEd, "2");
        Retype(dlg.RTCJarEd, "2028");
        dlg.OKBtn->click();
        QVERIFY(messages.isEmpty());
        QVERIFY(!dlg.isVisible());
        QVERIFY(record().rtcDay == "29" && record().rtcMonth == "2");
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
        record().daCardType = static_cast<std::uint8_t>(stored);
        TDaDlg& dlg = *bench_->dialogs.DaDlg;
        bench_->openers.OpenCard();
        QCOMPARE(Checked(Cards(dlg)), shown);
        dlg.OKBtn->click();
        QCOMPARE(int(record().daCardType), written);
        for (int button : {2, 0, 1}) {
            bench_->openers.OpenCard();
            Cards(dlg)[button]->setChecked(true);
            dlg.OKBtn->click();
            QCOMPARE(int(record().daCardType), button);
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
        record().soDisplayMode = static_cast<std::uint8_t>(displayMode);
        record().soCountDirection = static_cast<std::uint8_t>(direction);
        TSoDlg& dlg = *bench_->dialogs.SoDlg;
        bench_->openers.OpenMisc();
        QCOMPARE(dlg.SoEdit1->text(), QString("0100"));
        QCOMPARE(dlg.SoAzRBtn2->isChecked(), showsTime);
        QCOMPARE(dlg.SoAzRBtn1->isChecked(), !showsTime);
        QCOMPARE(dlg.SoZlRBtn2->isChecked(), showsBackwards);
        QCOMPARE(dlg.SoZlRBtn1->isChecked(), !showsBackwards);
        Retype(dlg.SoEdit1, "123456");
        dlg.OKBtn->click();
        QCOMPARE(int(record().soDisplayMode), showsTime ? 1 : 0);
        QCOMPARE(int(record().soCountDirection), showsBackwards ? 1 : 0);
        QVERIFY(record().soEncoderPulses == "1234");
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
        record().deviceType = static_cast<std::uint8_t>(deviceType);
        TGwDlg& dlg = *bench_->dialogs.GwDlg;
        bench_->openers.SetFamilyLabel([&label](const QString& text) { label.setText(text); });
        bench_->openers.OpenFamily();
        QCOMPARE(dlg.GwRButton1->isChecked(), firstPreselected);
        QCOMPARE(dlg.GwRButton2->isChecked(), !firstPreselected);
        dlg.CancelBtn->click();
        QCOMPARE(int(record().deviceType), deviceType);
        QCOMPARE(label.text(), QString("QVT055-Uhr-2"));

        bench_->openers.OpenFamily();
        dlg.GwRButton1->setChecked(true);
        dlg.OKBtn->click();
        QCOMPARE(int(record().deviceType), 0);
        QCOMPARE(label.text(), QString("QVT410"));
        bench_->openers.OpenFamily();
        dlg.GwRButton2->setChecked(true);
        dlg.OKBtn->click();
        QCOMPARE(int(record().deviceType), 1);
        QCOMPARE(label.text(), QString("QVT0xx"));
    }

    // ---- Common ----------------------------------------------------------------

    void helpButtonsAskForTheirContext() {
        QList<int> asked;
        const qvt::help::Handler previous =
            qvt::help::SetHandler([&asked](const qvt::help::Request& r) { asked << r.context; });
        TFuWahlDlg& fu = *bench_->dialogs.FuWahlDlg;
        TMbDlg& mb = *bench_->dialogs.MbDlg;
        TPtDlg& pt = *bench_->dialogs.PtDlg;
        TSPktDlg& sp = *bench_->dialogs.SPktDlg;
        TSioDlg& sio = *bench_->dialogs.SioDlg;
        TRtcDlg& rtc = *bench_->dialogs.RtcDlg;
        TDaDlg& da = *bench_->dialogs.DaDlg;
        TSoDlg& so = *bench_->dialogs.SoDlg;
        TGwDlg& gw = *bench_->dialogs.GwDlg;
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
        record().deviceType = 1;
        TSPktDlg& sp = *bench_->dialogs.SPktDlg;
        bench_->openers.OpenSwitchingPoints();
        QCOMPARE(sp.focusWidget(), static_cast<QWidget*>(sp.Sp1Edit1));
        QCOMPARE(NextTabStop(sp.Sp2CBox2), static_cast<QWidget*>(sp.OKBtn));
        QCOMPARE(NextTabStop(sp.OKBtn), static_cast<QWidget*>(sp.CancelBtn));
        QCOMPARE(NextTabStop(sp.CancelBtn), static_cast<QWidget*>(sp.HelpBtn));

        // In a radio group the keyboard lands on the chosen button.
        TGwDlg& gw = *bench_->dialogs.GwDlg;
        bench_->openers.OpenFamily();
        QCOMPARE(gw.focusWidget(), static_cast<QWidget*>(gw.GwRButton2));
        TDaDlg& da = *bench_->dialogs.DaDlg;
        record().daCardType = 2;
        bench_->openers.OpenCard();
        QCOMPARE(da.focusWidget(), static_cast<QWidget*>(da.DaRBtn3));
    }

    // The device type may change while a dialog is open; OK checks for the new one.
    void okChecksForTheDeviceTypeOfThatMoment() {
        TMbDlg& mb = *bench_->dialogs.MbDlg;
        QStringList messages;
        qvt::SetMessageInterceptor(
            [&messages](const QString& text, const QString&) { messages << text; });
        const auto restore = qScopeGuard([] { qvt::SetMessageInterceptor({}); });
        for (const int deviceType : {0, 1}) {
            record().deviceType = static_cast<std::uint8_t>(1 - deviceType);
            bench_->openers.FillRangeAndSensor();
            mb.ShowModeless();
            record().deviceType = static_cast<std::uint8_t>(deviceType);
            Retype(mb.MbEdit3, "2000");  // only the counter family reads it as binary
            mb.OKBtn->click();
            QCOMPARE(mb.isVisible(), deviceType == 0);
            QCOMPARE(messages.size(), deviceType == 0 ? 1 : 0);
            messages.clear();
            QCOMPARE(record().mbMeasEnd == "2000", deviceType == 1);
            mb.hide();
        }
    }

    // OK refuses a text its telegram field cannot carry: the dialog stays open
    // with the keyboard on the first failing edit, and the record keeps its values.
    void okRefusesWhatCannotBeSent() {
        TMbDlg& mb = *bench_->dialogs.MbDlg;
        TSPktDlg& sp = *bench_->dialogs.SPktDlg;
        TSioDlg& sio = *bench_->dialogs.SioDlg;
        TSoDlg& so = *bench_->dialogs.SoDlg;
        TAzDlg& az = *bench_->dialogs.AzDlg;
        mb.ShowModeless();
        bench_->openers.OpenSwitchingPoints();
        bench_->openers.OpenDeviceSerial();
        bench_->openers.OpenMisc();
        bench_->openers.OpenDisplay();
        Retype(sp.Sp1Edit3, "-5");
        const struct {
            TOKBottomDlg* dialog;
            QLineEdit* edit;
            QString text;
            QWidget* focus;
            QString message;
            std::uint8_t deviceType = 0;
        } cases[] = {
            {&mb, mb.MbEdit3, "2000", mb.MbEdit3,
             "Messwert Bereichsende: 2000 (zulässig -1999 bis 1999)"},
            {&sp, sp.Sp2Edit2, "1x", sp.Sp1Edit3,
             "Schaltpunkt 1 – Verzögerung: -5 (Zeichen „-“ an Stelle 1 unzulässig; zulässig 0 bis "
             "9999)\n"
             "Schaltpunkt 2 – Hysterese: 1x (Zeichen „x“ an Stelle 2 unzulässig; zulässig -1999 "
             "bis 1999)"},
            {&sio, sio.TimEdit, "300", sio.TimEdit, "Sendezyklus: 300 (zulässig 0 bis 255)"},
            // Only the counter family, whose menu offers the dialog, uses the pulses.
            {&so, so.SoEdit1, "-", so.SoEdit1,
             "Impulse des Drehgebers: - (keine Ziffer; zulässig -32768 bis 32767)", 1},
            {&az, az.AzEdit1, "12x", az.AzEdit1,
             "Messungen für Durchschnittsbildung: 12x (Zeichen „x“ an Stelle 3 unzulässig; "
             "zulässig 0 bis 9999)"},
        };
        QStringList messages;
        qvt::SetMessageInterceptor([&messages](const QString& text, const QString& caption) {
            messages << caption + ": " + text;
        });
        const auto restore = qScopeGuard([] { qvt::SetMessageInterceptor({}); });
        for (const auto& c : cases) {
            record().deviceType = c.deviceType;
            Retype(c.edit, c.text);
            c.dialog->OKBtn->setFocus();
            c.dialog->OKBtn->click();
            QCOMPARE(messages, QStringList{"Fehler: " + c.message});
            messages.clear();
            QVERIFY(c.dialog->isVisible());
            QCOMPARE(c.dialog->focusWidget(), c.focus);
        }
        QVERIFY(qvt::CheckSentFields(record()).empty());
    }
};

QTEST_MAIN(ParameterDialogsTest)
#include "parameter_dialogs_test.moc"
