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
#include "dialogs/device_family_dialog.h"
#include "dialogs/device_serial_port_dialog.h"
#include "dialogs/dialog_bench.h"
#include "dialogs/display_dialog.h"
#include "dialogs/expansion_card_dialog.h"
#include "dialogs/function_choice_dialog.h"
#include "dialogs/measuring_range_dialog.h"
#include "dialogs/message_box.h"
#include "dialogs/pt100_dialog.h"
#include "dialogs/real_time_clock_dialog.h"
#include "dialogs/special_functions_dialog.h"
#include "dialogs/switching_points_dialog.h"
#include "dialogs/widgets.h"
#include "platform/help.h"
#include "support/controls.h"

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

QList<QRadioButton*> Baud(qvt::dialogs::DeviceSerialPortDialog& d) {
    return {Control<QRadioButton>(d, "BdRBtn1"), Control<QRadioButton>(d, "BdRBtn2"),
            Control<QRadioButton>(d, "BdRBtn3"), Control<QRadioButton>(d, "BdRBtn4"),
            Control<QRadioButton>(d, "BdRBtn5"), Control<QRadioButton>(d, "BdRBtn6"),
            Control<QRadioButton>(d, "BdRBtn7")};
}
QList<QRadioButton*> Modes(qvt::dialogs::DeviceSerialPortDialog& d) {
    return {Control<QRadioButton>(d, "SioRBtn3"), Control<QRadioButton>(d, "SioRBtn2"),
            Control<QRadioButton>(d, "SioRBtn4")};
}
QList<QRadioButton*> Weekdays(qvt::dialogs::RealTimeClockDialog& d) {
    return {Control<QRadioButton>(d, "RTCRBtn1"), Control<QRadioButton>(d, "RTCRBtn2"),
            Control<QRadioButton>(d, "RTCRBtn3"), Control<QRadioButton>(d, "RTCRBtn4"),
            Control<QRadioButton>(d, "RTCRBtn5"), Control<QRadioButton>(d, "RTCRBtn6"),
            Control<QRadioButton>(d, "RTCRBtn7")};
}
QList<QRadioButton*> Sensors(qvt::dialogs::Pt100Dialog& d) {
    return {Control<QRadioButton>(d, "PtBtn1"), Control<QRadioButton>(d, "PtBtn2"),
            Control<QRadioButton>(d, "PtBtn3"), Control<QRadioButton>(d, "PtBtn4")};
}
QList<QRadioButton*> Cards(qvt::dialogs::ExpansionCardDialog& d) {
    return {Control<QRadioButton>(d, "DaRBtn1"), Control<QRadioButton>(d, "DaRBtn2"),
            Control<QRadioButton>(d, "DaRBtn3")};
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
        qvt::dialogs::SwitchingPointsDialog& dlg = *bench_->dialogs.switchingPointsDialog;
        bench_->openers.OpenSwitchingPoints();
        for (QLineEdit* e :
             {Control<qvt::FieldEdit>(dlg, "Sp1Edit1"), Control<qvt::FieldEdit>(dlg, "Sp1Edit2"),
              Control<qvt::FieldEdit>(dlg, "Sp1Edit3"), Control<qvt::FieldEdit>(dlg, "Sp2Edit1"),
              Control<qvt::FieldEdit>(dlg, "Sp2Edit2"), Control<qvt::FieldEdit>(dlg, "Sp2Edit3")}) {
            QCOMPARE(e->text(), QString("0000"));
        }
        for (QCheckBox* b :
             {Control<QCheckBox>(dlg, "Sp1CBox1"), Control<QCheckBox>(dlg, "Sp1CBox2"),
              Control<QCheckBox>(dlg, "Sp2CBox1"), Control<QCheckBox>(dlg, "Sp2CBox2")}) {
            QVERIFY(!b->isChecked());
        }
        Retype(Control<qvt::FieldEdit>(dlg, "Sp1Edit1"), "-0150");
        Retype(Control<qvt::FieldEdit>(dlg, "Sp1Edit2"), "-012345");  // five characters at most
        Retype(Control<qvt::FieldEdit>(dlg, "Sp1Edit3"), "98765");    // the delay field holds four
        Retype(Control<qvt::FieldEdit>(dlg, "Sp2Edit1"), " 0200");
        Retype(Control<qvt::FieldEdit>(dlg, "Sp2Edit2"), "-12");
        Retype(Control<qvt::FieldEdit>(dlg, "Sp2Edit3"), "7");
        Control<QCheckBox>(dlg, "Sp1CBox1")->setChecked(true);
        Control<QCheckBox>(dlg, "Sp2CBox2")->setChecked(true);
        Control<QPushButton>(dlg, "OKBtn")->click();
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
        QVERIFY(Control<QCheckBox>(dlg, "Sp2CBox2")->isChecked());
        Control<QCheckBox>(dlg, "Sp2CBox2")->setChecked(false);
        Control<QPushButton>(dlg, "OKBtn")->click();
        QCOMPARE(int(record().sp2Active), 0);
        QVERIFY(record().sp2Setpoint == " 0200");
        QVERIFY(record().sp2Delay == "7");
    }

    void switchingPointsCancelKeepsAllTenFields() {
        record().sp1Setpoint = "1";
        record().sp2Hysteresis = "-2";
        record().sp1Active = 1;
        qvt::dialogs::SwitchingPointsDialog& dlg = *bench_->dialogs.switchingPointsDialog;
        bench_->openers.OpenSwitchingPoints();
        for (QLineEdit* e :
             {Control<qvt::FieldEdit>(dlg, "Sp1Edit1"), Control<qvt::FieldEdit>(dlg, "Sp1Edit2"),
              Control<qvt::FieldEdit>(dlg, "Sp1Edit3"), Control<qvt::FieldEdit>(dlg, "Sp2Edit1"),
              Control<qvt::FieldEdit>(dlg, "Sp2Edit2"), Control<qvt::FieldEdit>(dlg, "Sp2Edit3")}) {
            Retype(e, "9");
        }
        for (QCheckBox* b :
             {Control<QCheckBox>(dlg, "Sp1CBox1"), Control<QCheckBox>(dlg, "Sp1CBox2"),
              Control<QCheckBox>(dlg, "Sp2CBox1"), Control<QCheckBox>(dlg, "Sp2CBox2")})
            b->toggle();
        Control<QPushButton>(dlg, "CancelBtn")->click();
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
        QCOMPARE(Control<qvt::FieldEdit>(dlg, "Sp1Edit1")->text(), QString("1"));
        QVERIFY(Control<QCheckBox>(dlg, "Sp1CBox2")->isChecked());
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
        qvt::dialogs::MeasuringRangeDialog& mb = *bench_->dialogs.measuringRangeDialog;
        qvt::dialogs::Pt100Dialog& pt = *bench_->dialogs.pt100Dialog;
        record().funcCode = funcCode;
        bench_->openers.FillRangeAndSensor();
        QCOMPARE(Checked(Sensors(pt)), sensor);
        QCOMPARE(Control<QCheckBox>(mb, "MbCBox")->isChecked(), total);
        QCOMPARE(record().funcCode, funcCode);
    }

    void sensorAndRangeShareTheFunctionCode() {
        qvt::ParameterRecord preset;
        preset.funcCode = 3;  // set before the range dialog exists
        bench_ = std::make_unique<DialogBench>(preset);
        qvt::dialogs::MeasuringRangeDialog& mb = *bench_->dialogs.measuringRangeDialog;
        QCOMPARE(record().funcCode, 0);  // creating it starts the code at 0
        qvt::dialogs::Pt100Dialog& pt = *bench_->dialogs.pt100Dialog;
        for (int button = 0; button < 4; ++button) {
            bench_->openers.FillRangeAndSensor();
            Sensors(pt)[button]->setChecked(true);
            Control<QPushButton>(pt, "OKBtn")->click();
            QCOMPARE(record().funcCode, button);
        }
        // Code 3 stored; committing the range dialog with the box cleared gives 0.
        bench_->openers.FillRangeAndSensor();
        QVERIFY(!Control<QCheckBox>(mb, "MbCBox")->isChecked());
        Control<QPushButton>(mb, "OKBtn")->click();
        QCOMPARE(record().funcCode, 0);
        bench_->openers.FillRangeAndSensor();
        QVERIFY(Control<QRadioButton>(pt, "PtBtn1")->isChecked());

        // Code 1 shows the box checked, and an unchanged commit keeps 1.
        record().funcCode = 1;
        bench_->openers.FillRangeAndSensor();
        QVERIFY(Control<QCheckBox>(mb, "MbCBox")->isChecked());
        Control<QPushButton>(mb, "OKBtn")->click();
        QCOMPARE(record().funcCode, 1);
    }

    void rangeEditsCarryTheTexts() {
        record().mbMeasStart = "-100";
        record().mbDisplayEnd = "12";
        qvt::dialogs::MeasuringRangeDialog& mb = *bench_->dialogs.measuringRangeDialog;
        bench_->openers.FillRangeAndSensor();
        QCOMPARE(Control<qvt::FieldEdit>(mb, "MbEdit1")->text(), QString("-100"));
        QCOMPARE(Control<qvt::FieldEdit>(mb, "MbEdit2")->text(), QString("0000"));
        QCOMPARE(Control<qvt::FieldEdit>(mb, "MbEdit4")->text(), QString("12"));
        Retype(Control<qvt::FieldEdit>(mb, "MbEdit2"), "-12345");
        Retype(Control<qvt::FieldEdit>(mb, "MbEdit3"), "");
        Control<QPushButton>(mb, "CancelBtn")->click();
        QVERIFY(record().mbDisplayStart == "0000");
        bench_->openers.FillRangeAndSensor();
        Retype(Control<qvt::FieldEdit>(mb, "MbEdit2"), "-12345");
        Retype(Control<qvt::FieldEdit>(mb, "MbEdit3"), "");
        Control<QPushButton>(mb, "OKBtn")->click();
        QVERIFY(record().mbMeasStart == "-100");
        QVERIFY(record().mbDisplayStart == "-123");
        QVERIFY(record().mbMeasEnd == "");
        QVERIFY(record().mbDisplayEnd == "12");
    }

    void functionSelectionLeadsToTheChosenDialog() {
        qvt::dialogs::MeasuringRangeDialog& mb = *bench_->dialogs.measuringRangeDialog;
        qvt::dialogs::Pt100Dialog& pt = *bench_->dialogs.pt100Dialog;
        qvt::dialogs::FunctionChoiceDialog& fu = *bench_->dialogs.functionChoiceDialog;
        record().funcCode = 2;
        const qvt::ParameterRecord before = record();

        fu.ShowModeless();
        Control<QRadioButton>(fu, "FuWahlBtn2")->setChecked(true);
        Control<QPushButton>(fu, "OKBtn")->click();
        QVERIFY(!fu.isVisible());
        QVERIFY(pt.isVisible());
        QVERIFY(!mb.isVisible());
        Control<QPushButton>(pt, "CancelBtn")->click();

        fu.ShowModeless();
        QVERIFY(
            Control<QRadioButton>(fu, "FuWahlBtn2")->isChecked());  // keeps the user's last choice
        Control<QRadioButton>(fu, "FuWahlBtn1")->setChecked(true);
        Control<QPushButton>(fu, "OKBtn")->click();
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
        qvt::dialogs::DeviceSerialPortDialog& dlg = *bench_->dialogs.deviceSerialPortDialog;
        bench_->openers.OpenDeviceSerial();
        Modes(dlg)[button]->setChecked(true);
        Control<QPushButton>(dlg, "OKBtn")->click();
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
        bench_->context.state.baudIndex = 3;
        qvt::dialogs::DeviceSerialPortDialog& dlg = *bench_->dialogs.deviceSerialPortDialog;
        QVERIFY(Control<QRadioButton>(dlg, "SioRBtn3")->isHidden());
        bench_->openers.OpenDeviceSerial();
        QCOMPARE(Checked(Baud(dlg)), button);
        QCOMPARE(int(bench_->context.state.baudIndex), button);
        QVERIFY(Control<QRadioButton>(dlg, "SioRBtn3")->isVisible());
        QVERIFY(Control<QRadioButton>(dlg, "SioRBtn3")->isChecked());
        QCOMPARE(int(record().sioBaudIndex), sioBaudIndex);  // opening leaves the record

        Baud(dlg)[1]->setChecked(true);
        Control<QPushButton>(dlg, "OKBtn")->click();
        QCOMPARE(int(record().sioBaudIndex), 1);
        QCOMPARE(int(bench_->context.state.baudIndex), button);  // OK does not touch the PC's rate
    }

    void sendCycleEditAdmitsThreeCharactersButKeepsLongerTexts() {
        qvt::dialogs::DeviceSerialPortDialog& dlg = *bench_->dialogs.deviceSerialPortDialog;
        bench_->openers.OpenDeviceSerial();
        // The default text has four characters; it is shown and kept whole.
        QCOMPARE(Control<qvt::FieldEdit>(dlg, "TimEdit")->text(), QString("0000"));
        Control<qvt::FieldEdit>(dlg, "TimEdit")->setFocus();
        Control<qvt::FieldEdit>(dlg, "TimEdit")->end(false);
        QTest::keyClicks(Control<qvt::FieldEdit>(dlg, "TimEdit"), "5");
        QCOMPARE(Control<qvt::FieldEdit>(dlg, "TimEdit")->text(), QString("0000"));
        Control<QPushButton>(dlg, "OKBtn")->click();
        QVERIFY(record().sioSendCycle == "0000");

        bench_->openers.OpenDeviceSerial();
        QTest::keyClick(Control<qvt::FieldEdit>(dlg, "TimEdit"), Qt::Key_Backspace);
        QTest::keyClicks(Control<qvt::FieldEdit>(dlg, "TimEdit"), "12");  // back at three, no more
        QCOMPARE(Control<qvt::FieldEdit>(dlg, "TimEdit")->text(), QString("000"));
        Retype(Control<qvt::FieldEdit>(dlg, "TimEdit"), "12345");
        QCOMPARE(Control<qvt::FieldEdit>(dlg, "TimEdit")->text(), QString("123"));
        Control<QPushButton>(dlg, "OKBtn")->click();
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
        qvt::dialogs::RealTimeClockDialog& dlg = *bench_->dialogs.realTimeClockDialog;
        bench_->openers.SetPcClock([now] { return now; });
        bench_->openers.OpenClock();
        const QStringList shown = {Control<qvt::FieldEdit>(dlg, "RTCMinEd")->text(),
                                   Control<qvt::FieldEdit>(dlg, "RTCStdEd")->text(),
                                   Control<qvt::FieldEdit>(dlg, "RTCTagEd")->text(),
                                   Control<qvt::FieldEdit>(dlg, "RTCMonEd")->text(),
                                   Control<qvt::FieldEdit>(dlg, "RTCJarEd")->text()};
        QCOMPARE(shown, fields);
        const QStringList stored = {QString::fromStdString(record().rtcMinute.str()),
                                    QString::fromStdString(record().rtcHour.str()),
                                    QString::fromStdString(record().rtcDay.str()),
                                    QString::fromStdString(record().rtcMonth.str()),
                                    QString::fromStdString(record().rtcYear.str())};
        QCOMPARE(stored, fields);
        QCOMPARE(int(record().rtcWeekday), weekday);
        QCOMPARE(Checked(Weekdays(dlg)), weekday);
        QVERIFY(Control<QCheckBox>(dlg, "RTCCBox")->isChecked());

        // Cancelling keeps the PC time written on opening.
        Control<QPushButton>(dlg, "CancelBtn")->click();
        QCOMPARE(int(record().rtcWeekday), weekday);
        QCOMPARE(QString::fromStdString(record().rtcYear.str()), fields[4]);
    }

    void activationRefreshesOnlyWithAutomaticTimeStored() {
        QDateTime now(QDate(2008, 3, 3), QTime(9, 5));
        record().rtcAuto = 1;
        qvt::dialogs::RealTimeClockDialog& dlg = *bench_->dialogs.realTimeClockDialog;
        bench_->openers.SetPcClock([&now] { return now; });
        bench_->openers.OpenClock();
        now = QDateTime(QDate(2008, 3, 4), QTime(10, 6));
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(&dlg, &activate);
        QCOMPARE(Control<qvt::FieldEdit>(dlg, "RTCMinEd")->text(), QString("06"));
        QCOMPARE(Control<qvt::FieldEdit>(dlg, "RTCTagEd")->text(), QString("04"));
        QVERIFY(record().rtcHour == "10");
        QCOMPARE(int(record().rtcWeekday), 2);
        QVERIFY(Control<QRadioButton>(dlg, "RTCRBtn2")
                    ->isChecked());  // the buttons are not changed by a refresh

        // Unticking takes effect with OK only; then activation leaves everything alone.
        Control<QCheckBox>(dlg, "RTCCBox")->setChecked(false);
        now = QDateTime(QDate(2009, 5, 6), QTime(11, 7));
        QApplication::sendEvent(&dlg, &activate);
        QVERIFY(record().rtcYear == "2009");
        Control<QPushButton>(dlg, "OKBtn")->click();
        QCOMPARE(int(record().rtcAuto), 0);
        now = QDateTime(QDate(2010, 5, 6), QTime(11, 7));
        bench_->openers.OpenClock();
        QApplication::sendEvent(&dlg, &activate);
        QVERIFY(record().rtcYear == "2009");
        QCOMPARE(Control<qvt::FieldEdit>(dlg, "RTCJarEd")->text(), QString("2009"));
        QVERIFY(!Control<QCheckBox>(dlg, "RTCCBox")->isChecked());
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
        qvt::dialogs::RealTimeClockDialog& dlg = *bench_->dialogs.realTimeClockDialog;
        bench_->openers.SetPcClock([] { return QDateTime(QDate(2030, 1, 1), QTime(1, 1)); });
        bench_->openers.OpenClock();
        QCOMPARE(Checked(Weekdays(dlg)), shownButton);
        QCOMPARE(Control<qvt::FieldEdit>(dlg, "RTCJarEd")->text(),
                 QString("2001"));  // the clock was not asked
        Weekdays(dlg)[chosenButton]->setChecked(true);
        Retype(Control<qvt::FieldEdit>(dlg, "RTCMinEd"),
               "597");  // the edits keep two and four characters
        Retype(Control<qvt::FieldEdit>(dlg, "RTCStdEd"), "23");
        Retype(Control<qvt::FieldEdit>(dlg, "RTCJarEd"), "20999");
        Control<QCheckBox>(dlg, "RTCCBox")->setChecked(true);
        Control<QPushButton>(dlg, "OKBtn")->click();
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
        qvt::dialogs::RealTimeClockDialog& dlg = *bench_->dialogs.realTimeClockDialog;
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
            {"75", "01", "01", "2026", Control<qvt::FieldEdit>(dlg, "RTCMinEd"),
             "Fehler: Minuten: 75 (zulässig 0 bis 59)"},
            {"00", "31", "02", "2028", Control<qvt::FieldEdit>(dlg, "RTCTagEd"),
             "Fehler: Tag: 31 (zulässig 1 bis 29)"},
        };
        for (const auto& c : cases) {
            bench_->openers.OpenClock();
            Retype(Control<qvt::FieldEdit>(dlg, "RTCMinEd"), c.minute);
            Retype(Control<qvt::FieldEdit>(dlg, "RTCTagEd"), c.day);
            Retype(Control<qvt::FieldEdit>(dlg, "RTCMonEd"), c.month);
            Retype(Control<qvt::FieldEdit>(dlg, "RTCJarEd"), c.year);
            Control<QPushButton>(dlg, "OKBtn")->setFocus();
            Control<QPushButton>(dlg, "OKBtn")->click();
            QCOMPARE(messages, QStringList{c.message});
            messages.clear();
            QVERIFY(dlg.isVisible());
            QCOMPARE(dlg.focusWidget(), static_cast<QWidget*>(c.focus));
            QVERIFY(record().rtcMinute == "00" && record().rtcDay == "01");
            QVERIFY(record().rtcMonth == "01" && record().rtcYear == "2001");
        }
        // The last day of a leap February is a day.
        Retype(Control<qvt::FieldEdit>(dlg, "RTCTagEd"), "29");
        Retype(Control<qvt::FieldEdit>(dlg, "RTCMonEd"), "2");
        Retype(Control<qvt::FieldEdit>(dlg, "RTCJarEd"), "2028");
        Control<QPushButton>(dlg, "OKBtn")->click();
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
        qvt::dialogs::ExpansionCardDialog& dlg = *bench_->dialogs.expansionCardDialog;
        bench_->openers.OpenCard();
        QCOMPARE(Checked(Cards(dlg)), shown);
        Control<QPushButton>(dlg, "OKBtn")->click();
        QCOMPARE(int(record().daCardType), written);
        for (int button : {2, 0, 1}) {
            bench_->openers.OpenCard();
            Cards(dlg)[button]->setChecked(true);
            Control<QPushButton>(dlg, "OKBtn")->click();
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
        qvt::dialogs::SpecialFunctionsDialog& dlg = *bench_->dialogs.specialFunctionsDialog;
        bench_->openers.OpenMisc();
        QCOMPARE(Control<qvt::FieldEdit>(dlg, "SoEdit1")->text(), QString("0100"));
        QCOMPARE(Control<QRadioButton>(dlg, "SoAzRBtn2")->isChecked(), showsTime);
        QCOMPARE(Control<QRadioButton>(dlg, "SoAzRBtn1")->isChecked(), !showsTime);
        QCOMPARE(Control<QRadioButton>(dlg, "SoZlRBtn2")->isChecked(), showsBackwards);
        QCOMPARE(Control<QRadioButton>(dlg, "SoZlRBtn1")->isChecked(), !showsBackwards);
        Retype(Control<qvt::FieldEdit>(dlg, "SoEdit1"), "123456");
        Control<QPushButton>(dlg, "OKBtn")->click();
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
        qvt::dialogs::DeviceFamilyDialog& dlg = *bench_->dialogs.deviceFamilyDialog;
        bench_->openers.SetFamilyLabel([&label](const QString& text) { label.setText(text); });
        bench_->openers.OpenFamily();
        QCOMPARE(Control<QRadioButton>(dlg, "GwRButton1")->isChecked(), firstPreselected);
        QCOMPARE(Control<QRadioButton>(dlg, "GwRButton2")->isChecked(), !firstPreselected);
        Control<QPushButton>(dlg, "CancelBtn")->click();
        QCOMPARE(int(record().deviceType), deviceType);
        QCOMPARE(label.text(), QString("QVT055-Uhr-2"));

        bench_->openers.OpenFamily();
        Control<QRadioButton>(dlg, "GwRButton1")->setChecked(true);
        Control<QPushButton>(dlg, "OKBtn")->click();
        QCOMPARE(int(record().deviceType), 0);
        QCOMPARE(label.text(), QString("QVT410"));
        bench_->openers.OpenFamily();
        Control<QRadioButton>(dlg, "GwRButton2")->setChecked(true);
        Control<QPushButton>(dlg, "OKBtn")->click();
        QCOMPARE(int(record().deviceType), 1);
        QCOMPARE(label.text(), QString("QVT0xx"));
    }

    // ---- Common ----------------------------------------------------------------

    void helpButtonsAskForTheirContext() {
        QList<int> asked;
        const qvt::help::Handler previous =
            qvt::help::SetHandler([&asked](const qvt::help::Request& r) { asked << r.context; });
        qvt::dialogs::FunctionChoiceDialog& fu = *bench_->dialogs.functionChoiceDialog;
        qvt::dialogs::MeasuringRangeDialog& mb = *bench_->dialogs.measuringRangeDialog;
        qvt::dialogs::Pt100Dialog& pt = *bench_->dialogs.pt100Dialog;
        qvt::dialogs::SwitchingPointsDialog& sp = *bench_->dialogs.switchingPointsDialog;
        qvt::dialogs::DeviceSerialPortDialog& sio = *bench_->dialogs.deviceSerialPortDialog;
        qvt::dialogs::RealTimeClockDialog& rtc = *bench_->dialogs.realTimeClockDialog;
        qvt::dialogs::ExpansionCardDialog& da = *bench_->dialogs.expansionCardDialog;
        qvt::dialogs::SpecialFunctionsDialog& so = *bench_->dialogs.specialFunctionsDialog;
        qvt::dialogs::DeviceFamilyDialog& gw = *bench_->dialogs.deviceFamilyDialog;
        for (qvt::dialogs::OkCancelDialog* d : std::initializer_list<qvt::dialogs::OkCancelDialog*>{
                 &fu, &mb, &pt, &sp, &sio, &rtc, &da, &so, &gw}) {
            d->ShowModeless();
            Control<QPushButton>(d, "HelpBtn")->click();
            QVERIFY(d->isVisible());  // help leaves the dialog open
            QCOMPARE(Control<QPushButton>(d, "HelpBtn")->text(), QString("&Hilfe"));
            QCOMPARE(Control<QPushButton>(d, "OKBtn")->text(), QString("OK"));
            QCOMPARE(Control<QPushButton>(d, "CancelBtn")->text(), QString("Abbrechen"));
            QVERIFY(Control<QPushButton>(d, "OKBtn")->isDefault());
        }
        qvt::help::SetHandler(previous);
        QCOMPARE(asked, (QList<int>{31, 31, 31, 33, 34, 35, 36, 37, 0}));
    }

    void keyboardStartsAtTheFirstControlAndEndsAtTheButtons() {
        record().deviceType = 1;
        qvt::dialogs::SwitchingPointsDialog& sp = *bench_->dialogs.switchingPointsDialog;
        bench_->openers.OpenSwitchingPoints();
        QCOMPARE(sp.focusWidget(), static_cast<QWidget*>(Control<qvt::FieldEdit>(sp, "Sp1Edit1")));
        QCOMPARE(NextTabStop(Control<QCheckBox>(sp, "Sp2CBox2")),
                 static_cast<QWidget*>(Control<QPushButton>(sp, "OKBtn")));
        QCOMPARE(NextTabStop(Control<QPushButton>(sp, "OKBtn")),
                 static_cast<QWidget*>(Control<QPushButton>(sp, "CancelBtn")));
        QCOMPARE(NextTabStop(Control<QPushButton>(sp, "CancelBtn")),
                 static_cast<QWidget*>(Control<QPushButton>(sp, "HelpBtn")));

        // In a radio group the keyboard lands on the chosen button.
        qvt::dialogs::DeviceFamilyDialog& gw = *bench_->dialogs.deviceFamilyDialog;
        bench_->openers.OpenFamily();
        QCOMPARE(gw.focusWidget(), static_cast<QWidget*>(Control<QRadioButton>(gw, "GwRButton2")));
        qvt::dialogs::ExpansionCardDialog& da = *bench_->dialogs.expansionCardDialog;
        record().daCardType = 2;
        bench_->openers.OpenCard();
        QCOMPARE(da.focusWidget(), static_cast<QWidget*>(Control<QRadioButton>(da, "DaRBtn3")));
    }

    // The device type may change while a dialog is open; OK checks for the new one.
    void okChecksForTheDeviceTypeOfThatMoment() {
        qvt::dialogs::MeasuringRangeDialog& mb = *bench_->dialogs.measuringRangeDialog;
        QStringList messages;
        qvt::SetMessageInterceptor(
            [&messages](const QString& text, const QString&) { messages << text; });
        const auto restore = qScopeGuard([] { qvt::SetMessageInterceptor({}); });
        for (const int deviceType : {0, 1}) {
            record().deviceType = static_cast<std::uint8_t>(1 - deviceType);
            bench_->openers.FillRangeAndSensor();
            mb.ShowModeless();
            record().deviceType = static_cast<std::uint8_t>(deviceType);
            Retype(Control<qvt::FieldEdit>(mb, "MbEdit3"),
                   "2000");  // only the counter family reads it as binary
            Control<QPushButton>(mb, "OKBtn")->click();
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
        qvt::dialogs::MeasuringRangeDialog& mb = *bench_->dialogs.measuringRangeDialog;
        qvt::dialogs::SwitchingPointsDialog& sp = *bench_->dialogs.switchingPointsDialog;
        qvt::dialogs::DeviceSerialPortDialog& sio = *bench_->dialogs.deviceSerialPortDialog;
        qvt::dialogs::SpecialFunctionsDialog& so = *bench_->dialogs.specialFunctionsDialog;
        qvt::dialogs::DisplayDialog& az = *bench_->dialogs.displayDialog;
        mb.ShowModeless();
        bench_->openers.OpenSwitchingPoints();
        bench_->openers.OpenDeviceSerial();
        bench_->openers.OpenMisc();
        bench_->openers.OpenDisplay();
        Retype(Control<qvt::FieldEdit>(sp, "Sp1Edit3"), "-5");
        const struct {
            qvt::dialogs::OkCancelDialog* dialog;
            QLineEdit* edit;
            QString text;
            QWidget* focus;
            QString message;
            std::uint8_t deviceType = 0;
        } cases[] = {
            {&mb, Control<qvt::FieldEdit>(mb, "MbEdit3"), "2000",
             Control<qvt::FieldEdit>(mb, "MbEdit3"),
             "Messwert Bereichsende: 2000 (zulässig -1999 bis 1999)"},
            {&sp, Control<qvt::FieldEdit>(sp, "Sp2Edit2"), "1x",
             Control<qvt::FieldEdit>(sp, "Sp1Edit3"),
             "Schaltpunkt 1 – Verzögerung: -5 (Zeichen „-“ an Stelle 1 unzulässig; zulässig 0 bis "
             "9999)\n"
             "Schaltpunkt 2 – Hysterese: 1x (Zeichen „x“ an Stelle 2 unzulässig; zulässig -1999 "
             "bis 1999)"},
            {&sio, Control<qvt::FieldEdit>(sio, "TimEdit"), "300",
             Control<qvt::FieldEdit>(sio, "TimEdit"), "Sendezyklus: 300 (zulässig 0 bis 255)"},
            // Only the counter family, whose menu offers the dialog, uses the pulses.
            {&so, Control<qvt::FieldEdit>(so, "SoEdit1"), "-",
             Control<qvt::FieldEdit>(so, "SoEdit1"),
             "Impulse des Drehgebers: - (keine Ziffer; zulässig -32768 bis 32767)", 1},
            {&az, Control<qvt::FieldEdit>(az, "AzEdit1"), "12x",
             Control<qvt::FieldEdit>(az, "AzEdit1"),
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
            Control<QPushButton>(c.dialog, "OKBtn")->setFocus();
            Control<QPushButton>(c.dialog, "OKBtn")->click();
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
