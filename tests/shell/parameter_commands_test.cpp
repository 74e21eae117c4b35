// The parameter file commands and the parameter dialog openers, driven
// through the main window's menu items, with the file dialogs answered by
// the test.
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

#include "core/qvc_file.h"
#include "dialogs/device_family_dialog.h"
#include "dialogs/device_serial_port_dialog.h"
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
#include "platform/files/parameter_file.h"
#include "shell/main_window.h"
#include "shell/parameter_commands.h"
#include "shell/startup.h"
#include "support/controls.h"
#include "support/menu_items.h"
#include "support/qt_files.h"

namespace {

int Checked(const QList<QRadioButton*>& buttons) {
    for (int i = 0; i < buttons.size(); ++i) {
        if (buttons[i]->isChecked())
            return i;
    }
    return -1;
}

qint16 Word(const QByteArray& file, int number) {
    const int offset = 2 * (number - 1);
    return static_cast<qint16>(static_cast<quint8>(file[offset]) |
                               (static_cast<quint8>(file[offset + 1]) << 8));
}

}  // namespace

class ParameterCommandsTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir dir_;
    QString previousDir_;
    QStringList messages_;
    std::unique_ptr<qvt::AppContext> ctx_;
    std::unique_ptr<qvt::MainWindow> form_;
    QStringList answers_;  // file names the dialogs return, in order ("" = cancel)
    QList<qvt::ParameterFileDialog> asked_;
    QStringList questions_;  // file names the save question named
    qvt::SaveAnswer answer_ = qvt::SaveAnswer::kDiscard;

    void Trigger(const char* name) { ActionNamed(*form_, name)->trigger(); }
    qvt::DialogSet& Dialogs() { return form_->dialogs(); }
    QString Path(const QString& name) const { return QDir(dir_.path()).filePath(name); }

  private slots:
    void init() {
        QVERIFY(dir_.isValid());
        previousDir_ = QDir::currentPath();
        QDir(dir_.path()).removeRecursively();
        QDir().mkpath(dir_.path());
        QDir::setCurrent(dir_.path());
        messages_.clear();
        answers_.clear();
        asked_.clear();
        questions_.clear();
        answer_ = qvt::SaveAnswer::kDiscard;
        qvt::SetMessageInterceptor([this](const QString& text, const QString& caption) {
            messages_ << caption + ": " + text;
        });
        ctx_ = std::make_unique<qvt::AppContext>();
        form_ = qvt::StartApplication(*ctx_);
        QVERIFY(form_);
        form_->parameterCommands().SetFileNameProvider([this](qvt::ParameterFileDialog kind) {
            asked_ << kind;
            return answers_.isEmpty() ? QString() : answers_.takeFirst();
        });
        form_->parameterCommands().SetSaveQuestion([this](const QString& fileName) {
            questions_ << fileName;
            return answer_;
        });
    }
    void cleanup() {
        form_.reset();
        ctx_.reset();
        qvt::SetMessageInterceptor({});
        QDir::setCurrent(previousDir_);
    }

    void newResetsAndAsksForTheDeviceType_data() {
        QTest::addColumn<int>("deviceType");
        QTest::addColumn<bool>("firstButton");
        QTest::newRow("type 0") << 0 << true;
        QTest::newRow("type 1") << 1 << false;
        QTest::newRow("type 2") << 2 << true;
    }
    void newResetsAndAsksForTheDeviceType() {
        QFETCH(int, deviceType);
        QFETCH(bool, firstButton);
        form_->SelectDeviceType(static_cast<std::uint8_t>(deviceType));
        ctx_->record.sp1Setpoint = "-1";
        ctx_->state.portIndex = 4;
        Control<QTextEdit>(*form_, "RichEdit1")->setPlainText("old telegram");
        QVERIFY(!ActionNamed(*form_, "Speichern1")->isEnabled());

        Trigger("Neu1");
        QVERIFY(ctx_->record.sp1Setpoint == "0000");
        QCOMPARE(int(ctx_->record.sioMode), 0);
        QCOMPARE(int(ctx_->record.daCardType), 2);
        QCOMPARE(int(ctx_->record.deviceType), deviceType);
        QCOMPARE(int(ctx_->state.portIndex), 1);
        QVERIFY(Control<QTextEdit>(*form_, "RichEdit1")->toPlainText().isEmpty());
        QCOMPARE(ctx_->state.currentFileName, std::string());
        QCOMPARE(Control<QLabel>(*form_, "FileLabel")->text(), QString("Leer"));
        QCOMPARE(Control<QGroupBox>(*form_, "FileGroupBox")->title(), QString(" Parameterdatei "));
        for (const char* item : {"Speichern1", "Speichernunter1", "Senden1", "Parameter1"}) {
            QVERIFY2(ActionNamed(*form_, item)->isEnabled(), item);
        }
        qvt::dialogs::DeviceFamilyDialog* gw = Dialogs().deviceFamilyDialog;
        QVERIFY(gw->isVisible());
        QCOMPARE(gw->windowTitle(), QString::fromUtf8("Gerätewahl"));
        QCOMPARE(Control<QRadioButton>(gw, "GwRButton1")->isChecked(), firstButton);
        QCOMPARE(Control<QRadioButton>(gw, "GwRButton2")->isChecked(), !firstButton);

        // Confirming the first family sets type 0 and the bare family text.
        Control<QRadioButton>(gw, "GwRButton1")->setChecked(true);
        Control<QPushButton>(gw, "OKBtn")->click();
        QCOMPARE(int(ctx_->record.deviceType), 0);
        QCOMPARE(Control<QLabel>(*form_, "GeraetLabel")->text(), QString("QVT410"));
        QVERIFY(asked_.isEmpty());
    }

    void saveAfterNewAsksForANameAndWritesTheNewSet() {
        form_->SelectDeviceType(1);
        Trigger("Neu1");
        answers_ << Path("neu.QVC");
        Trigger("Speichern1");
        QCOMPARE(asked_, QList<qvt::ParameterFileDialog>{qvt::ParameterFileDialog::kSave});
        const QByteArray file = ReadFile(Path("neu.QVC"));
        QCOMPARE(file.size(), 76);
        const QMap<int, qint16> nonZero = {{14, 100}, {21, 1}, {27, 5},    {30, 1},
                                           {31, 1},   {32, 1}, {33, 2001}, {38, 1}};
        for (int n = 1; n <= 38; ++n) QCOMPARE(Word(file, n), nonZero.value(n, 0));
        QCOMPARE(Control<QLabel>(*form_, "FileLabel")->text(), Path("neu.QVC"));
        QCOMPARE(QString::fromStdString(ctx_->state.currentFileName), Path("neu.QVC"));
        QVERIFY(messages_.isEmpty());

        // Cancelling the name keeps everything as it was.
        Trigger("Neu1");
        Trigger("Speichern1");
        QCOMPARE(asked_.size(), 2);
        QCOMPARE(Control<QLabel>(*form_, "FileLabel")->text(), QString("Leer"));
        QCOMPARE(QDir(dir_.path()).entryList({"*.QVC"}), QStringList{"neu.QVC"});
    }

    void loadAndSaveAsGiveIdenticalBytes_data() {
        QTest::addColumn<int>("deviceType");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("checkedItem");
        QTest::addColumn<QString>("firstFunction");
        QTest::newRow("type 0") << 0 << "QVT410-3E"
                                << "QVT4101"
                                << "Sondermessung";
        QTest::newRow("type 1") << 1 << "QVT0xx-3E"
                                << "QVT0xx1"
                                << "Sondermessung";
        QTest::newRow("type 2") << 2 << "QVT055-Uhr-2"
                                << "QVT055"
                                << "Anzeigezeiten";
    }
    void loadAndSaveAsGiveIdenticalBytes() {
        QFETCH(int, deviceType);
        QFETCH(QString, label);
        QFETCH(QString, checkedItem);
        QFETCH(QString, firstFunction);
        Trigger("Neu1");
        qvt::ParameterRecord& r = ctx_->record;
        r.deviceType = static_cast<std::uint8_t>(deviceType);
        r.sp1Setpoint = "-0150";
        r.azUnitText =
            "\xB0"
            "C";
        r.azRounding = 3;
        r.mbDisplayEnd = "1999";
        answers_ << Path("a.QVC");
        Trigger("Speichern1");
        const QByteArray saved = ReadFile(Path("a.QVC"));
        QCOMPARE(saved.size(), 76);

        // Another set in memory, and a different device type selected.
        Trigger("Neu1");
        form_->SelectDeviceType(deviceType == 1 ? 0 : 1);
        answers_ << Path("a.QVC");
        Trigger("Laden1");
        QVERIFY(r.sp1Setpoint == "-150");
        QCOMPARE(int(r.azRounding), deviceType == 1 ? 3 : 5);  // "Fünfer" as the family codes it
        QVERIFY(r.azUnitText ==
                "\xB0"
                "C");
        QCOMPARE(int(r.deviceType), deviceType);
        QCOMPARE(Control<QLabel>(*form_, "GeraetLabel")->text(), label);
        QVERIFY(ActionNamed(*form_, checkedItem)->isChecked());
        QCOMPARE(Control<QRadioButton>(Dialogs().functionChoiceDialog, "FuWahlBtn1")->text(),
                 firstFunction);
        QCOMPARE(Control<QLabel>(*form_, "FileLabel")->text(), Path("a.QVC"));

        // Saving a loaded file does not ask; "Speichern unter" does.
        Trigger("Speichern1");
        QCOMPARE(asked_.size(), 2);
        QCOMPARE(ReadFile(Path("a.QVC")), saved);
        answers_ << Path("b.QVC");
        Trigger("Speichernunter1");
        QCOMPARE(asked_.last(), qvt::ParameterFileDialog::kSave);
        QCOMPARE(ReadFile(Path("b.QVC")), saved);
        QCOMPARE(Control<QLabel>(*form_, "FileLabel")->text(), Path("b.QVC"));
        QVERIFY(messages_.isEmpty());
    }

    void cancelledOrShortLoad() {
        ctx_->record.mbMeasStart = "42";
        Trigger("Laden1");  // cancelled
        QCOMPARE(asked_, QList<qvt::ParameterFileDialog>{qvt::ParameterFileDialog::kOpen});
        QCOMPARE(ctx_->state.currentFileName, std::string("Leer"));
        QVERIFY(!ActionNamed(*form_, "Speichern1")->isEnabled());
        QVERIFY(ctx_->record.mbMeasStart == "42");

        // A short file is no parameter set: refused, nothing to save it over.
        QByteArray shortFile(6, '\0');
        shortFile[0] = 7;
        WriteFile(Path("short.QVC"), shortFile);
        answers_ << Path("short.QVC");
        Trigger("Laden1");
        QCOMPARE(messages_, QStringList{"Fehler: Datei konnte nicht geladen werden"});
        QVERIFY(ctx_->record.mbMeasStart == "42");
        QCOMPARE(ctx_->state.currentFileName, std::string("Leer"));
        QVERIFY(!ActionNamed(*form_, "Speichern1")->isEnabled());
    }

    void failedLoadKeepsTheSetInUse() {
        // The set in use came from a file of the counter family.
        Trigger("Neu1");
        ctx_->record.deviceType = 1;
        answers_ << Path("good.QVC") << Path("good.QVC");
        Trigger("Speichern1");
        Trigger("Laden1");
        const qvt::ParameterFileImage inUse = qvt::EncodeParameterFile(ctx_->record);
        QByteArray typeThree = ReadFile(Path("good.QVC"));
        typeThree[0] = 7;  // another measuring start, so a partial load would show
        typeThree[74] = 3;
        WriteFile(Path("type3.QVC"), typeThree);
        QByteArray pulses = ReadFile(Path("good.QVC"));
        pulses[26] = char(10000 & 0xFF);  // word 14: five digits for four characters
        pulses[27] = char(10000 >> 8);
        WriteFile(Path("pulses.QVC"), pulses);
        WriteFile(Path("empty.QVC"), {});
        WriteFile(Path("text.QVC"), "abc");
        for (const char* bad :
             {"missing.QVC", "type3.QVC", "pulses.QVC", "empty.QVC", "text.QVC"}) {
            messages_.clear();
            answers_ << Path(bad);
            Trigger("Laden1");
            QCOMPARE(messages_, QStringList{"Fehler: Datei konnte nicht geladen werden"});
            QVERIFY(qvt::EncodeParameterFile(ctx_->record) == inUse);
            QCOMPARE(Control<QLabel>(*form_, "FileLabel")->text(), Path("good.QVC"));
            QCOMPARE(QString::fromStdString(ctx_->state.currentFileName), Path("good.QVC"));
            QCOMPARE(Control<QLabel>(*form_, "GeraetLabel")->text(), QString("QVT0xx-3E"));
        }
    }

    void failedSaveReportsAndKeepsTheOldFile() {
        const QByteArray old("previous content");
        WriteFile(Path("keep.QVC"), old);
        // No temporary file can be made beside it.
        for (int i = 0; i < 100; ++i) WriteFile(Path("keep.QVC.tmp%1").arg(i), "x");
        Trigger("Neu1");
        answers_ << Path("keep.QVC");
        Trigger("Speichernunter1");
        QCOMPARE(messages_, QStringList{"Fehler: Datei konnte nicht gespeichert werden"});
        QCOMPARE(ReadFile(Path("keep.QVC")), old);
        QCOMPARE(Control<QLabel>(*form_, "FileLabel")->text(), QString("Leer"));

        // A folder is never replaced by a file.
        QDir(dir_.path()).mkdir("folder.QVC");
        answers_ << Path("folder.QVC");
        Trigger("Speichernunter1");
        QCOMPARE(messages_.size(), 2);
        QVERIFY(QFileInfo(Path("folder.QVC")).isDir());
    }

    void functionSelectionRoutesByDeviceType_data() {
        QTest::addColumn<int>("deviceType");
        QTest::addColumn<bool>("selectionFirst");
        QTest::newRow("type 0") << 0 << true;
        QTest::newRow("type 1") << 1 << false;
        QTest::newRow("type 2") << 2 << true;
    }
    void functionSelectionRoutesByDeviceType() {
        QFETCH(int, deviceType);
        QFETCH(bool, selectionFirst);
        form_->SelectDeviceType(static_cast<std::uint8_t>(deviceType));
        ctx_->record.mbMeasEnd = "0815";
        ctx_->record.funcCode = 3;
        Trigger("Funktionswahl1");
        qvt::DialogSet& d = Dialogs();
        QCOMPARE(d.functionChoiceDialog->isVisible(), selectionFirst);
        QCOMPARE(d.measuringRangeDialog->isVisible(), !selectionFirst);
        QCOMPARE(Control<qvt::FieldEdit>(d.measuringRangeDialog, "MbEdit3")->text(),
                 QString("0815"));
        QVERIFY(Control<QRadioButton>(d.pt100Dialog, "PtBtn4")->isChecked());
        if (selectionFirst) {
            Control<QRadioButton>(d.functionChoiceDialog, "FuWahlBtn2")->setChecked(true);
            Control<QPushButton>(d.functionChoiceDialog, "OKBtn")->click();
            QVERIFY(d.pt100Dialog->isVisible());
            Control<QRadioButton>(d.pt100Dialog, "PtBtn3")->setChecked(true);
            Control<QPushButton>(d.pt100Dialog, "OKBtn")->click();
            QCOMPARE(ctx_->record.funcCode, 2);
        }
    }

    void menuItemsOpenTheirDialogsFilledFromTheRecord() {
        qvt::ParameterRecord& r = ctx_->record;
        r.azUnitText = "bar";
        r.sp2Delay = "42";
        r.sioSendCycle = "9";
        r.rtcAuto = 0;
        r.rtcYear = "1998";
        r.daCardType = 0;
        r.soEncoderPulses = "60";
        qvt::DialogSet& d = Dialogs();
        const std::pair<const char*, std::function<bool()>> cases[] = {
            {"Anzeige1",
             [&] {
                 return d.displayDialog->isVisible() &&
                        Control<qvt::FieldEdit>(d.displayDialog, "AzEdit2")->text() == "bar";
             }},
            {"Schaltpunkte1",
             [&] {
                 return d.switchingPointsDialog->isVisible() &&
                        Control<qvt::FieldEdit>(d.switchingPointsDialog, "Sp2Edit3")->text() ==
                            "42";
             }},
            {"SIO1",
             [&] {
                 return d.deviceSerialPortDialog->isVisible() &&
                        Control<qvt::FieldEdit>(d.deviceSerialPortDialog, "TimEdit")->text() == "9";
             }},
            {"RTC1",
             [&] {
                 return d.realTimeClockDialog->isVisible() &&
                        Control<qvt::FieldEdit>(d.realTimeClockDialog, "RTCJarEd")->text() ==
                            "1998";
             }},
            {"AnalogausgangDAC1",
             [&] {
                 return d.expansionCardDialog->isVisible() &&
                        Control<QRadioButton>(d.expansionCardDialog, "DaRBtn1")->isChecked();
             }},
            {"Sonstiges1",
             [&] {
                 return d.specialFunctionsDialog->isVisible() &&
                        Control<qvt::FieldEdit>(d.specialFunctionsDialog, "SoEdit1")->text() ==
                            "60";
             }},
        };
        for (const auto& [item, opened] : cases) {
            QVERIFY2(!opened(), item);
            Trigger(item);
            QVERIFY2(opened(), item);
        }
    }

    void editsAreOfferedForSavingBeforeTheyAreDiscarded_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("named");    // saved as a.QVC first, else the start set
        QTest::addColumn<QString>("edit");  // "", "field", "clock" (opening the clock dialog)
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("saveName");  // asked for when unnamed ("" = cancel)
        QTest::addColumn<bool>("saveFails");
        QTest::addColumn<QString>("question");  // the name asked about, "" = no question
        QTest::addColumn<bool>("goesOn");
        const int yes = int(qvt::SaveAnswer::kSave), no = int(qvt::SaveAnswer::kDiscard),
                  cancel = int(qvt::SaveAnswer::kCancel);
        for (const char* command : {"Neu1", "Laden1", "Beenden2"}) {
            const auto row = [&](const char* answer) -> QTestData& {
                return QTest::addRow("%s %s", command, answer) << QString(command) << true;
            };
            row("unchanged") << "" << cancel << "" << false << "" << true;
            row("Ja") << "field" << yes << "" << false << "a.QVC" << true;
            row("Nein") << "field" << no << "" << false << "a.QVC" << true;
            row("Abbrechen") << "field" << cancel << "" << false << "a.QVC" << false;
        }
        QTest::newRow("Beenden after the clock dialog")
            << "Beenden1" << true << "clock" << cancel << "" << false << "" << true;
        QTest::newRow("Neu, failed save")
            << "Neu1" << true << "field" << yes << "" << true << "a.QVC" << false;
        QTest::newRow("Laden, start set, name cancelled")
            << "Laden1" << false << "field" << yes << "" << false << "Leer" << false;
        QTest::newRow("Beenden, start set, saved as c.QVC")
            << "Beenden1" << false << "field" << yes << "c.QVC" << false << "Leer" << true;
    }
    void editsAreOfferedForSavingBeforeTheyAreDiscarded() {
        QFETCH(QString, command);
        QFETCH(bool, named);
        QFETCH(QString, edit);
        QFETCH(QString, saveName);
        QFETCH(bool, saveFails);
        QFETCH(bool, goesOn);
        qvt::ParameterRecord other;
        other.mbMeasStart = "7";
        QVERIFY(qvt::SaveParameterFile(Path("b.QVC").toStdString(), other));
        if (named) {
            answers_ << Path("a.QVC");
            Trigger("Neu1");
            Trigger("Speichern1");
        }
        if (edit == "field")
            ctx_->record.sp1Setpoint = "0815";
        if (edit == "clock") {
            form_->parameterCommands().parameterDialogs().SetPcClock([] {
                return QDateTime({2030, 5, 6}, {7, 8});
            });
            Trigger("RTC1");
            Control<QPushButton>(Dialogs().realTimeClockDialog, "OKBtn")->click();
        }
        if (saveFails) {
            QFile::remove(Path("a.QVC"));
            QDir(dir_.path()).mkdir("a.QVC");
        }
        if (!named)
            answers_ << (saveName.isEmpty() ? QString() : Path(saveName));
        answers_ << Path("b.QVC");
        QFETCH(int, answer);
        answer_ = static_cast<qvt::SaveAnswer>(answer);
        Dialogs().deviceFamilyDialog->hide();

        Trigger(command.toLatin1().constData());
        QFETCH(QString, question);
        QCOMPARE(questions_, question.isEmpty() ? QStringList() : QStringList{question});
        const bool wentOn = command == "Neu1"     ? Dialogs().deviceFamilyDialog->isVisible()
                            : command == "Laden1" ? ctx_->record.mbMeasStart == "7"
                                                  : ctx_->state.shutdownDone == 1;
        QCOMPARE(wentOn, goesOn);
        const QString target = named ? "a.QVC" : saveName;
        if (!target.isEmpty() && !saveFails) {
            const QByteArray file = ReadFile(Path(target));
            QCOMPARE(file.size(), 76);
            QCOMPARE(Word(file, 7), qint16(answer_ == qvt::SaveAnswer::kSave ? 815 : 0));
        }
        QVERIFY(!QFile::exists(Path("Leer")));
    }

    // "OK" of an open function selection goes on to the range or sensor
    // dialog: they show the set that "Neu" or "Laden..." put in place, and
    // their "OK" keeps it.
    void functionSelectionFollowsTheNewSet_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("sensor");
        QTest::addColumn<QString>("measEnd");  // what the new set holds
        QTest::addColumn<int>("funcCode");
        for (const bool sensor : {false, true}) {
            const char* target = sensor ? "Pt-Funktionswahl" : "Messbereich";
            QTest::addRow("Laden, %s", target) << "Laden1" << sensor << "1234" << 1;
            QTest::addRow("Neu, %s", target) << "Neu1" << sensor << "0000" << 0;
        }
    }
    void functionSelectionFollowsTheNewSet() {
        QFETCH(QString, command);
        QFETCH(bool, sensor);
        QFETCH(QString, measEnd);
        QFETCH(int, funcCode);
        qvt::ParameterRecord other;
        other.mbMeasEnd = measEnd.toStdString();
        other.funcCode = funcCode;
        QVERIFY(qvt::SaveParameterFile(Path("b.QVC").toStdString(), other));
        ctx_->record.mbMeasEnd = "0815";
        ctx_->record.funcCode = 3;
        qvt::DialogSet& d = Dialogs();
        Trigger("Funktionswahl1");
        QVERIFY(d.functionChoiceDialog->isVisible());

        answers_ << Path("b.QVC");
        Trigger(command.toLatin1().constData());
        d.deviceFamilyDialog->hide();
        (sensor ? Control<QRadioButton>(d.functionChoiceDialog, "FuWahlBtn2")
                : Control<QRadioButton>(d.functionChoiceDialog, "FuWahlBtn1"))
            ->setChecked(true);
        Control<QPushButton>(d.functionChoiceDialog, "OKBtn")->click();
        if (sensor) {
            QCOMPARE(Checked({Control<QRadioButton>(d.pt100Dialog, "PtBtn1"),
                              Control<QRadioButton>(d.pt100Dialog, "PtBtn2"),
                              Control<QRadioButton>(d.pt100Dialog, "PtBtn3"),
                              Control<QRadioButton>(d.pt100Dialog, "PtBtn4")}),
                     funcCode);
            Control<QPushButton>(d.pt100Dialog, "OKBtn")->click();
        } else {
            QCOMPARE(Control<qvt::FieldEdit>(d.measuringRangeDialog, "MbEdit3")->text(), measEnd);
            Control<QPushButton>(d.measuringRangeDialog, "OKBtn")->click();
        }
        QCOMPARE(QString::fromStdString(ctx_->record.mbMeasEnd.str()), measEnd);
        QCOMPARE(ctx_->record.funcCode, funcCode);
        QVERIFY(messages_.isEmpty());
    }

    // The family chosen for a new set is part of starting afresh: a new set
    // nobody edited is not offered for saving, whichever family was chosen.
    void confirmedNewSetIsUnchanged_data() {
        QTest::addColumn<int>("deviceType");  // before "Neu"
        QTest::addColumn<bool>("firstFamily");
        QTest::addColumn<bool>("edited");  // a field edited before the family's "OK"
        QTest::newRow("type 1, QVT410") << 1 << true << false;
        QTest::newRow("type 2, QVT410") << 2 << true << false;
        QTest::newRow("type 0, QVT0xx") << 0 << false << false;
        QTest::newRow("type 0, QVT410") << 0 << true << false;
        QTest::newRow("type 1, QVT410, edited") << 1 << true << true;
    }
    void confirmedNewSetIsUnchanged() {
        QFETCH(int, deviceType);
        QFETCH(bool, firstFamily);
        QFETCH(bool, edited);
        form_->SelectDeviceType(static_cast<std::uint8_t>(deviceType));
        Trigger("Neu1");
        questions_.clear();  // the start set with its family changed was offered
        if (edited)
            ctx_->record.sp1Setpoint = "0815";
        qvt::dialogs::DeviceFamilyDialog* gw = Dialogs().deviceFamilyDialog;
        (firstFamily ? Control<QRadioButton>(gw, "GwRButton1")
                     : Control<QRadioButton>(gw, "GwRButton2"))
            ->setChecked(true);
        Control<QPushButton>(gw, "OKBtn")->click();
        QCOMPARE(int(ctx_->record.deviceType), firstFamily ? 0 : 1);
        answer_ = qvt::SaveAnswer::kCancel;
        Trigger("Neu1");
        QCOMPARE(questions_, edited ? QStringList{"Leer"} : QStringList());
    }

    // Open dialogs show the loaded set; the PC side stays as it was, though
    // opening the device serial dialog sets the PC's baud rate.
    void anOpenDialogShowsTheLoadedSet() {
        qvt::ParameterRecord other;
        other.sp1Setpoint = "-150";
        other.sp2Delay = "42";
        other.sioBaudIndex = 6;
        QVERIFY(qvt::SaveParameterFile(Path("b.QVC").toStdString(), other));
        qvt::dialogs::SwitchingPointsDialog* dialog = Dialogs().switchingPointsDialog;
        Trigger("Schaltpunkte1");
        Trigger("SIO1");
        ctx_->state.baudIndex = 2;  // chosen in "PC-SIO..." meanwhile
        answers_ << Path("b.QVC");
        Trigger("Laden1");
        QCOMPARE(Control<qvt::FieldEdit>(dialog, "Sp1Edit1")->text(), QString("-150"));
        QCOMPARE(Control<qvt::FieldEdit>(dialog, "Sp2Edit3")->text(), QString("42"));
        QVERIFY(Control<QRadioButton>(Dialogs().deviceSerialPortDialog, "BdRBtn7")->isChecked());
        QCOMPARE(int(ctx_->state.baudIndex), 2);
        const qvt::ParameterFileImage loaded = qvt::EncodeParameterFile(ctx_->record);
        Control<QPushButton>(dialog, "OKBtn")->click();
        QVERIFY(qvt::EncodeParameterFile(ctx_->record) == loaded);
        QVERIFY(questions_.isEmpty());
    }

    void fileDialogsAsDesigned_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("acceptMode");
        QTest::newRow("open") << int(qvt::ParameterFileDialog::kOpen) << "OpenDialog1"
                              << "Parameter laden" << int(QFileDialog::AcceptOpen);
        QTest::newRow("save") << int(qvt::ParameterFileDialog::kSave) << "SaveDialog1"
                              << "Konfiguration speichern unter" << int(QFileDialog::AcceptSave);
    }
    void fileDialogsAsDesigned() {
        QFETCH(int, kind);
        QFETCH(QString, name);
        QFETCH(QString, title);
        QFETCH(int, acceptMode);
        const auto dialog =
            qvt::MakeParameterFileDialog(static_cast<qvt::ParameterFileDialog>(kind), form_.get());
        QCOMPARE(dialog->objectName(), name);
        QCOMPARE(dialog->windowTitle(), title);
        QCOMPARE(int(dialog->acceptMode()), acceptMode);
        QCOMPARE(dialog->defaultSuffix(), QString("QVC"));
        auto* combo = dialog->findChild<QComboBox*>("fileTypeCombo");
        QVERIFY(combo);
        QCOMPARE(combo->count(), 2);
        QCOMPARE(combo->itemText(0), QString("Konfigurationsdatei      *.QVC"));
        QCOMPARE(combo->itemText(1), QString("Alle Dateien                 *.*"));
        auto* nameEdit = dialog->findChild<QLineEdit*>("fileNameEdit");
        QVERIFY(nameEdit);
        QCOMPARE(nameEdit->text(), QString("Default.QVC"));
    }
};

QTEST_MAIN(ParameterCommandsTest)
#include "parameter_commands_test.moc"
