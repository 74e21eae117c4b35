// The main window as it starts, its menus, the device type commands and the exit.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <optional>

#include "dialogs/function_choice_dialog.h"
#include "dialogs/message_box.h"
#include "dialogs/programming_port_dialog.h"
#include "platform/help.h"
#include "shell/app_icon.h"
#include "shell/info_box.h"
#include "shell/link_commands.h"
#include "shell/main_window.h"
#include "shell/parameter_commands.h"
#include "shell/startup.h"
#include "support/app_fixture.h"
#include "support/controls.h"
#include "support/menu_items.h"
#include "support/qt_files.h"

class MainWindowTest : public QObject {
    Q_OBJECT

  private:
    std::optional<AppFixture> app_;

    static QByteArray ConfigBytes() { return ReadFile("QVT410.CFG"); }
    static void WriteConfig(const QByteArray& bytes) { WriteFile("QVT410.CFG", bytes); }
    static bool CentredOnItsScreen(const QWidget& window) {
        const QPoint off =
            window.frameGeometry().center() - window.screen()->availableGeometry().center();
        return off.manhattanLength() <= 2;
    }
    static QStringList TopMenuCaptions(qvt::MainWindow& form) {
        QStringList captions;
        for (QAction* a : form.menuBar()->actions()) {
            if (a->isVisible())
                captions << a->text();
        }
        return captions;
    }

  private slots:
    void init() { app_.emplace(); }
    void cleanup() { app_.reset(); }

    void startsInAnEmptyFolderAsDesigned() {
        qvt::AppContext& ctx = app_->context;
        qvt::MainWindow* const started = app_->Start();
        QVERIFY(started);
        qvt::MainWindow& form = *started;
        QCOMPARE(ConfigBytes(), QByteArray("\x01\x05\x00\x01", 4));
        QCOMPARE(form.windowTitle(), QString("QVT Parametrieren"));
        QCOMPARE(form.width(), 455);
        QCOMPARE(Control<QLabel>(form, "FileLabel")->text(), QString("Leer"));
        QCOMPARE(Control<QLabel>(form, "GeraetLabel")->text(), QString("QVT410-3E"));
        QCOMPARE(Control<QGroupBox>(form, "FileGroupBox")->title(), QString(" Parameterdatei  "));
        QCOMPARE(Control<QGroupBox>(form, "GtGroupBox")->title(), QString::fromUtf8(" Gerätetyp "));
        // Before any telegram the value shows only to say the port did not open.
        QCOMPARE(Control<QGroupBox>(form, "AnzGroupBox")->isHidden(),
                 form.linkCommands().port().IsOpen());
        QVERIFY(Control<QFrame>(form, "SerPanel")->isHidden());
        QVERIFY(Control<QGroupBox>(form, "PGroupBox")->isHidden());
        QVERIFY(!ActionNamed(form, "Speichern1")->isEnabled());
        QVERIFY(!ActionNamed(form, "Speichernunter1")->isEnabled());
        QVERIFY(ActionNamed(form, "Senden1")->isEnabled());
        QVERIFY(ActionNamed(form, "Parameter1")->isEnabled());
        QVERIFY(ActionNamed(form, "Datumzeigen1")->isChecked());
        QVERIFY(ActionNamed(form, "Baustein1")->isChecked());
        QVERIFY(ActionNamed(form, "SIOTYP1")->isVisible());
        QCOMPARE(ctx.state.portIndex, 1);
        QCOMPARE(ctx.state.baudIndex, 5);
        QCOMPARE(ctx.state.lptBase, 0x378);
        QCOMPARE(ctx.state.chipType, 8253);
        QCOMPARE(ctx.state.currentFileName, std::string("Leer"));
        QVERIFY(app_->messages.isEmpty());
        QVERIFY(CentredOnItsScreen(form));
        QVERIFY(!form.windowIcon().isNull());
        QCOMPARE(form.windowIcon().pixmap(32).toImage(),
                 qvt::ApplicationIcon().pixmap(32).toImage());

        form.move(0, 0);  // wherever the user put it, the info box opens in the middle
        form.show();
        ActionNamed(form, "Info2")->trigger();
        QVERIFY(CentredOnItsScreen(*form.findChild<qvt::InfoBox*>("InfoBox")));
    }

    void parallelPortChoiceTakesEffectAtTheNextStart() {
        WriteConfig(QByteArray("\x03\x06\x00\x00\x5A", 5));
        qvt::AppContext& ctx = app_->context;
        qvt::MainWindow* const started = app_->Start();
        QVERIFY(started);
        qvt::MainWindow& form = *started;
        QCOMPARE(ctx.state.lptBase, 0x378);
        ActionNamed(form, "Schnittstelle1")->trigger();
        qvt::dialogs::ProgrammingPortDialog* dialog = form.dialogs().programmingPortDialog;
        QVERIFY(dialog->isVisible());
        Control<QRadioButton>(dialog, "PLpRBtn2")->setChecked(true);  // "Schnittstelle = LPT2"
        Control<QPushButton>(dialog, "OKBtn")->click();
        QCOMPARE(ConfigBytes(), QByteArray("\x03\x06\x01\x00\x5A", 5));
        QCOMPARE(ctx.state.lptIndex, 1);
        QCOMPARE(ctx.state.lptBase, 0x378);  // the running program keeps its port

        qvt::AppContext next;
        QVERIFY(qvt::StartApplication(next));
        QCOMPARE(next.state.lptBase, 0x278);
    }

    void dialogsAreCreatedOnceHiddenInTheirOrder() {
        qvt::AppContext& ctx = app_->context;
        ctx.record.funcCode = 3;
        qvt::MainWindow* const started = app_->Start();
        QVERIFY(started);
        qvt::MainWindow& form = *started;
        QStringList names;
        for (QObject* child : form.children()) {
            if (auto* dialog = qobject_cast<QDialog*>(child)) {
                names << dialog->objectName();
                QVERIFY(dialog->isHidden());
            }
        }
        QCOMPARE(names,
                 (QStringList{"InfoBox", "SPktDlg", "SioDlg", "RtcDlg", "PSioDlg", "PLptDlg",
                              "MbDlg", "PtDlg", "DaDlg", "FuWahlDlg", "SoDlg", "GwDlg", "AzDlg"}));
        QCOMPARE(ctx.record.funcCode, 0);  // the measuring range dialog starts from the first range
    }

    void readsTheConfigurationFile_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("port");
        QTest::addColumn<int>("baud");
        QTest::addColumn<int>("lptBase");
        QTest::addColumn<bool>("shown");
        QTest::newRow("09 07 03 00")
            << QByteArray("\x09\x07\x03\x00", 4) << 5 << 7 << 0x278 << false;
        QTest::newRow("00 00 02 05")
            << QByteArray("\x00\x00\x02\x05", 4) << 0 << 0 << 0x378 << true;
        QTest::newRow("short") << QByteArray("\x02", 1) << 2 << 255 << 0x278 << true;
    }
    void readsTheConfigurationFile() {
        QFETCH(QByteArray, file);
        WriteConfig(file);
        qvt::AppContext& ctx = app_->context;
        qvt::MainWindow* const started = app_->Start();
        QVERIFY(started);
        qvt::MainWindow& form = *started;
        QTEST(int(ctx.state.portIndex), "port");
        QTEST(int(ctx.state.baudIndex), "baud");
        QTEST(int(ctx.state.lptBase), "lptBase");
        QTEST(ActionNamed(form, "Datumzeigen1")->isChecked(), "shown");
        QCOMPARE(ConfigBytes(), file);
    }

    void settingsStayInTheStartFolderWhenTheWorkingFolderMoves() {
        qvt::MainWindow* const started = app_->Start();
        QVERIFY(started);
        qvt::MainWindow& form = *started;
        QTemporaryDir firmwareFolder;  // choosing a firmware file moves the working folder
        QDir::setCurrent(firmwareFolder.path());
        ActionNamed(form, "Datumzeigen1")->trigger();
        QVERIFY(!QFile::exists("QVT410.CFG"));
        QDir::setCurrent(app_->dir.path());
        QCOMPARE(ConfigBytes(), QByteArray("\x01\x05\x00\x00", 4));
    }

    void warnsAndStopsWithoutAConfigurationFile() {
        QDir().mkdir("QVT410.CFG");  // a folder in its place: neither readable nor creatable
        QVERIFY(!app_->Start());
        QCOMPARE(app_->messages, QStringList{"Warnung: Kein Zugriff auf Parameterdatei"});
    }

    void menusAreCompleteAndProgrammingIsHidden() {
        qvt::MainWindow* const started = app_->Start();
        QVERIFY(started);
        qvt::MainWindow& form = *started;
        QCOMPARE(TopMenuCaptions(form), (QStringList{"&Info", "&Datei", "&Parameter",
                                                     "&Einstellungen", "&Ansicht", "&Hilfe"}));
        QMenu* prog = MenuNamed(form, "Programmieren1");
        QVERIFY(prog);
        QVERIFY(!prog->menuAction()->isVisible());
        // Every catalogue submenu and command is there behind the hidden menu.
        for (const char* name :
             {"QVT410UI71351", "QVT410UI2", "QVT410090Feuchte1", "QVT420090Feuchte",
              "QVT430035UIohneRel1", "QVT44PT1", "QVT4502", "QVT460090Feuchte", "N001UIM1",
              "N001THI1", "QVT470010UI1", "Q470401", "Datei2", "Daten1", "Bausteinlschen1",
              "Baustein1", "SIOTYP1", "Schnittstelle1"}) {
            QVERIFY2(ActionNamed(form, name), name);
        }
        for (const char* name : {"QVT430025Leistung1", "QVT440025Leistung1", "QVT450025Leistung",
                                 "QVT460025Leistung"}) {
            QVERIFY2(!ActionNamed(form, name)->isVisible() && !ActionNamed(form, name)->isEnabled(),
                     name);
        }
        QVERIFY(ActionNamed(form, "QVT410025Leistung1")->isVisible());
        QCOMPARE(ActionNamed(form, "Bausteinlschen1")->text(),
                 QString::fromUtf8("&Baustein löschen"));
        QCOMPARE(ActionNamed(form, "Druckseitercksetzen1")->text(),
                 QString::fromUtf8("D&ruckseite löschen"));
        QCOMPARE(ActionNamed(form, "Neu1")->property("helpContext").toInt(), 21);
        QCOMPARE(ActionNamed(form, "PCSIO1")->property("helpContext").toInt(), 45);
    }

    // Alt+P never alternates onto the menu that erases the chip: hidden, the
    // programming menu takes no mnemonic; shown, it answers to Alt+R.
    void altPAlwaysOpensParameter_data() {
        QTest::addColumn<bool>("programmingShown");
        QTest::newRow("programming hidden") << false;
        QTest::newRow("programming shown") << true;
    }
    void altPAlwaysOpensParameter() {
        QFETCH(bool, programmingShown);
        qvt::AppContext& ctx = app_->context;
        ctx.settings.programmingMenuVisible = programmingShown;
        qvt::MainWindow* const started = app_->Start();
        QVERIFY(started);
        qvt::MainWindow& form = *started;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        for (int round = 0; round < 2; ++round) {
            QTest::keyClick(&form, Qt::Key_P, Qt::AltModifier);
            QTRY_VERIFY(MenuNamed(form, "Parameter1")->isVisible());
            QVERIFY(!MenuNamed(form, "Programmieren1")->isVisible());
            MenuNamed(form, "Parameter1")->close();
            QTest::keyClick(&form, Qt::Key_Escape);
        }
        QTest::keyClick(&form, Qt::Key_R, Qt::AltModifier);
        QTRY_COMPARE(MenuNamed(form, "Programmieren1")->isVisible(), programmingShown);
        QVERIFY(!MenuNamed(form, "Parameter1")->isVisible());
    }

    void programmingMenuCanBeShownBySetting() {
        qvt::AppContext& ctx = app_->context;
        ctx.settings.programmingMenuVisible = true;
        qvt::MainWindow* const started = app_->Start();
        QVERIFY(started);
        qvt::MainWindow& form = *started;
        QCOMPARE(TopMenuCaptions(form),
                 (QStringList{"&Info", "&Datei", "&Parameter", "&Einstellungen", "&Ansicht",
                              "P&rogrammieren", "&Hilfe"}));
    }

    void deviceTypeCommands_data() {
        QTest::addColumn<int>("chip");
        QTest::addColumn<int>("network");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("label");
        QTest::addColumn<bool>("chipMark");
        QTest::addColumn<QString>("firstChoice");
        QTest::newRow("410 on 8252") << 8252 << 0 << "QVT4101"
                                     << "QVT410-2" << false << "Sondermessung";
        QTest::newRow("0xx network") << 8253 << 1 << "QVT0xx1"
                                     << "QVT0xx-3N" << true << "Sondermessung";
        QTest::newRow("410 single") << 8253 << 0 << "QVT4101"
                                    << "QVT410-3E" << true << "Sondermessung";
        QTest::newRow("clock 8253") << 8253 << 1 << "QVT055"
                                    << "QVT055-Uhr-2" << false << "Anzeigezeiten";
        QTest::newRow("clock 8252") << 8252 << 0 << "QVT055"
                                    << "QVT055-Uhr-2" << false << "Anzeigezeiten";
    }
    void deviceTypeCommands() {
        QFETCH(int, chip);
        QFETCH(int, network);
        QFETCH(QString, command);
        qvt::AppContext& ctx = app_->context;
        qvt::MainWindow* const started = app_->Start();
        QVERIFY(started);
        qvt::MainWindow& form = *started;
        ctx.state.chipType = static_cast<std::uint16_t>(chip);
        ctx.state.networkDevice = static_cast<std::uint8_t>(network);
        const qvt::ParameterRecord before = ctx.record;
        ActionNamed(form, command)->trigger();
        QTEST(Control<QLabel>(form, "GeraetLabel")->text(), "label");
        QTEST(ActionNamed(form, "Baustein1")->isChecked(), "chipMark");
        QTEST(ActionNamed(form, "SIOTYP1")->isVisible(), "chipMark");
        QTEST(Control<QRadioButton>(form.dialogs().functionChoiceDialog, "FuWahlBtn1")->text(),
              "firstChoice");
        int marked = 0;
        for (const char* item : {"QVT4101", "QVT0xx1", "QVT055"})
            marked += ActionNamed(form, item)->isChecked();
        QCOMPARE(marked, 1);
        QVERIFY(ActionNamed(form, command)->isChecked());
        QCOMPARE(ctx.state.chipType, chip);  // the clock device does not change the chip
        QCOMPARE(ctx.record.sioMode, before.sioMode);
        QCOMPARE(ctx.record.azRounding, before.azRounding);
    }

    void menusAdaptToTheDeviceTypeWhenOpened() {
        qvt::AppContext& ctx = app_->context;
        qvt::MainWindow* const started = app_->Start();
        QVERIFY(started);
        qvt::MainWindow& form = *started;
        const struct {
            int type;
            bool card;
            bool misc;
        } cases[] = {{1, false, true}, {0, true, false}, {2, true, false}};
        for (auto c : cases) {
            ctx.record.deviceType = static_cast<std::uint8_t>(c.type);
            emit MenuNamed(form, "Parameter1")->aboutToShow();
            QCOMPARE(ActionNamed(form, "AnalogausgangDAC1")->isVisible(), c.card);
            QCOMPARE(ActionNamed(form, "Sonstiges1")->isVisible(), c.misc);
            emit MenuNamed(form, "Gertetyp1")->aboutToShow();
            QCOMPARE(ActionNamed(form, "QVT0xx1")->isChecked(), c.type == 1);
            QCOMPARE(ActionNamed(form, "QVT055")->isChecked(), c.type == 2);
        }
        // An unknown type changes nothing.
        ctx.record.deviceType = 7;
        emit MenuNamed(form, "Parameter1")->aboutToShow();
        emit MenuNamed(form, "Gertetyp1")->aboutToShow();
        QVERIFY(ActionNamed(form, "AnalogausgangDAC1")->isVisible());
        QVERIFY(ActionNamed(form, "QVT055")->isChecked());
    }

    void exitReleasesThePortsOnce() {
        qvt::AppContext& ctx = app_->context;
        std::unique_ptr<qvt::MainWindow> form = qvt::StartApplication(ctx);
        QVERIFY(form);
        QSignalSpy released(form.get(), &qvt::MainWindow::portsReleased);
        form->show();
        ActionNamed(*form, "Beenden2")->trigger();
        QCOMPARE(released.count(), 1);
        QCOMPARE(ctx.state.shutdownDone, 1);
        QVERIFY(!form->isVisible());
        ActionNamed(*form, "Beenden1")->trigger();
        form.reset();  // the window's destruction runs the exit sequence too
        QCOMPARE(released.count(), 1);
    }

    void closingTheWindowOffersUnsavedEditsForSaving() {
        qvt::AppContext& ctx = app_->context;
        qvt::MainWindow* const started = app_->Start();
        QVERIFY(started);
        qvt::MainWindow& form = *started;
        QStringList asked;
        qvt::SaveAnswer answer = qvt::SaveAnswer::kCancel;
        form.parameterCommands().SetSaveQuestion([&](const QString& fileName) {
            asked << fileName;
            return answer;
        });
        form.show();
        ctx.record.sp2Setpoint = "12";
        QVERIFY(!form.close());
        QVERIFY(form.isVisible());
        QCOMPARE(ctx.state.shutdownDone, 0);
        answer = qvt::SaveAnswer::kDiscard;
        QVERIFY(form.close());
        QCOMPARE(asked, (QStringList{"Leer", "Leer"}));
        QCOMPARE(ctx.state.shutdownDone, 1);
    }

    void helpCommandsAndF1OnAMenuItem() {
        QList<qvt::help::Request> requests;
        qvt::help::SetHandler([&](const qvt::help::Request& r) { requests << r; });
        qvt::MainWindow* const started = app_->Start();
        QVERIFY(started);
        qvt::MainWindow& form = *started;
        ActionNamed(form, "Hilfe2")->trigger();
        ActionNamed(form, "Index1")->trigger();
        QCOMPARE(requests.size(), 2);
        QVERIFY(requests[0].command == qvt::help::Command::kContents);
        QVERIFY(requests[1].command == qvt::help::Command::kIndex);

        form.show();
        QMenu* datei = MenuNamed(form, "Datei1");
        datei->popup(QPoint(0, 0));
        datei->setActiveAction(ActionNamed(form, "Laden1"));
        QTest::keyClick(datei, Qt::Key_F1);
        QCOMPARE(requests.size(), 3);
        QVERIFY(requests[2].command == qvt::help::Command::kContext);
        QCOMPARE(requests[2].context, 22);
        QVERIFY(!datei->isVisible());

        // In the help menu, F1 leads to the contents.
        for (const char* item : {"Hilfe2", "Index1"}) {
            MenuNamed(form, "Hilfe1")->popup(QPoint(0, 0));
            MenuNamed(form, "Hilfe1")->setActiveAction(ActionNamed(form, item));
            QTest::keyClick(MenuNamed(form, "Hilfe1"), Qt::Key_F1);
            QVERIFY2(requests.last().command == qvt::help::Command::kContents, item);
        }
        qvt::help::SetHandler({});
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
