// The "Programmieren" menu end to end with the emulated cable: catalogue,
// free file choice, erase, chip type and edition toggles, the port dialog,
// ESC, and the outside programmer with a stand-in XPG.EXE (this program
// itself, started under that name).
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <optional>

#include "dialogs/message_box.h"
#include "dialogs/programming_port_dialog.h"
#include "emulation/emulated_isp_chip.h"
#include "prog/firmware_catalogue.h"
#include "shell/link_commands.h"
#include "shell/main_window.h"
#include "shell/programming_commands.h"
#include "shell/startup.h"
#include "support/app_fixture.h"
#include "support/controls.h"
#include "support/menu_items.h"
#include "support/programming_rig.h"
#include "support/pty_pair.h"
#include "support/qt_files.h"

namespace {

// Started as XPG.EXE, this program records how it was called, one line per
// run in the file named by this variable: argument 0, working folder, the
// other arguments. Its exit comes from line n of the file named by
// kStandInExits for its n-th run: a number, or KILL.
constexpr const char* kStandInLog = "QVT_XPG_STANDIN_LOG";
constexpr const char* kStandInExits = "QVT_XPG_STANDIN_EXITS";

int RunAsOutsideProgrammer(int argc, char* argv[]) {
    std::string line = std::string(argv[0]) + "|" + std::filesystem::current_path().string() + "|";
    for (int i = 1; i < argc; ++i) line += (i > 1 ? " " : "") + std::string(argv[i]);
    const char* logPath = std::getenv(kStandInLog);
    std::ofstream(logPath, std::ios::app) << line << "\n";
    int runs = 0;
    std::ifstream log(logPath);
    for (std::string l; std::getline(log, l);) ++runs;
    std::ifstream exits(std::getenv(kStandInExits));
    std::string exit = "0";
    for (int i = 0; i < runs && std::getline(exits, exit); ++i) {
    }
    if (exit == "KILL")
        std::raise(SIGKILL);
    return std::atoi(exit.c_str());
}

// What the program writes on its standard error while run runs.
QByteArray StandardErrorOf(const std::function<void()>& run) {
    QTemporaryFile capture;
    if (!capture.open())
        return {};
    std::fflush(stderr);
    const int saved = dup(2);
    dup2(capture.handle(), 2);
    run();
    std::fflush(stderr);
    dup2(saved, 2);
    close(saved);
    capture.seek(0);
    return capture.readAll();
}

}  // namespace

class ProgrammingCommandsTest : public QObject {
    Q_OBJECT

  private:
    std::optional<AppFixture> app_;

    // A started main window whose parallel port is the emulated cable.
    qvt::MainWindow& Start(int chip = 8253,
                           qvt::ParallelAccess access = qvt::ParallelAccess::kEmulated,
                           const std::function<void(qvt::PlatformSettings&)>& adjust = {}) {
        app_->form.reset();  // before the context it uses
        app_->context = {};
        app_->context.settings.parallelAccess = access;
        app_->context.settings.emulatedChip = *qvt::ChipFromNumber(chip);
        app_->context.settings.programmingMenuVisible = true;
        if (adjust)
            adjust(app_->context.settings);
        return *app_->Start();
    }
    qvt::ProgrammingCommands& commands() { return app_->form->programmingCommands(); }
    qvt::EmulatedIspChip& chip() { return *commands().emulatedChip(); }
    void Trigger(const char* name) {
        QAction* item = ActionNamed(*app_->form, name);
        QVERIFY2(item, name);
        item->trigger();
    }
    // XPG.EXE in folder: this program under that name, recording its runs.
    void InstallOutsideProgrammer(const QString& folder, const QByteArray& exits) {
        QVERIFY(QFile::link(QCoreApplication::applicationFilePath(), folder + "/XPG.EXE"));
        WriteFile(folder + "/xpg-exits.txt", exits);
        qputenv(kStandInLog, (folder + "/xpg-calls.txt").toUtf8());
        qputenv(kStandInExits, (folder + "/xpg-exits.txt").toUtf8());
    }
    QStringList OutsideProgrammerRuns(const QString& folder) {
        return QString::fromUtf8(ReadFile(folder + "/xpg-calls.txt"))
            .split('\n', Qt::SkipEmptyParts);
    }
    void UseChip8252() {
        if (app_->context.state.chipType != 8252)
            commands().ToggleChipType();
        QCOMPARE(app_->context.state.chipType, std::uint16_t{8252});
    }

  private slots:
    void init() { app_.emplace(); }
    void cleanup() {
        qunsetenv(kStandInLog);
        qunsetenv(kStandInExits);
        app_.reset();
    }

    void everyCatalogueEntryLooksForTheFileOfItsEdition() {
        Start();
        const int writesBefore = static_cast<int>(chip().statistics().dataRegisterWrites);
        struct Edition {
            std::uint16_t chip;
            std::uint8_t network;
        };
        int entries = 0;
        for (const Edition e : {Edition{8253, 0}, Edition{8253, 1}, Edition{8252, 0}}) {
            app_->context.state.chipType = e.chip;
            app_->context.state.networkDevice = e.network;
            for (const qvt::CatalogueEntry& entry : qvt::FirmwareCatalogue()) {
                std::string expected = entry.programFile;
                const bool clock = std::string(entry.itemName) == "QVT410055PT100Uhr1";
                if (e.chip == 8253 && !clock)
                    expected[0] = e.network ? 'N' : 'E';
                app_->messages.clear();
                QAction* item = ActionNamed(*app_->form, entry.itemName);
                QVERIFY2(item, entry.itemName);
                if (item->isEnabled()) {
                    item->trigger();
                } else {
                    // Hidden items (the 025 variants of 430..460) take no clicks.
                    commands().ProgramCatalogueEntry(entry);
                }
                QCOMPARE(app_->messages,
                         QStringList{"Fehler: Programmdatei \"" + QString::fromStdString(expected) +
                                     "\" nicht gefunden"});
                ++entries;
            }
        }
        QCOMPARE(entries, 3 * 65);
        // A file that is not there never reaches the chip.
        QCOMPARE(static_cast<int>(chip().statistics().dataRegisterWrites), writesBefore);
    }

    void catalogueEntryProgramsBothMemoriesThroughTheCable() {
        qvt::MainWindow& form = Start(8253);
        const qvt::testing::Contents program = {{0x0000, qvt::testing::Pattern(300, 1)},
                                                {0x2000, qvt::testing::Pattern(64, 2)}};
        const qvt::testing::Contents table = {{0x0100, qvt::testing::Pattern(80, 3)}};
        WriteText("EVTPT_I.HEX", qvt::testing::MakeHex(program));
        WriteText("QVTPTTAB.HEX", qvt::testing::MakeHex(table));
        Control<QGroupBox>(form, "AnzGroupBox")->show();
        Control<QFrame>(form, "SerPanel")->show();

        Trigger("QVT410PT2");
        QCOMPARE(app_->messages,
                 QStringList{"Meldung: Programm- und Datenspeicher fehlerfrei Programmiert"});
        QVERIFY(chip().code() == qvt::testing::ImageOf(program, 12288));
        QVERIFY(chip().data() == qvt::testing::ImageOf(table, 2048));
        QVERIFY(chip().locked());
        // The memory files show the result to anyone looking from outside.
        QCOMPARE(ReadFile("emulated-data.bin").size(), 2048);
        QVERIFY(ReadFile("emulated-data.bin").mid(0x100, 80) ==
                QByteArray(reinterpret_cast<const char*>(table.at(0x100).data()), 80));
        QVERIFY(Control<QGroupBox>(form, "PGroupBox")->isHidden());
        QVERIFY(Control<QGroupBox>(form, "AnzGroupBox")->isHidden());  // until the next telegram
        QVERIFY(Control<QFrame>(form, "SerPanel")->isHidden());
        QCOMPARE(Control<QGroupBox>(form, "PGroupBox")->title(), QString(" QVT Programmieren "));
        QCOMPARE(Control<QLabel>(form, "PLabel")->text(),
                 QString::fromUtf8("Programmierung des Datenspeichers   mit\n"
                                   "QVTPTTAB.HEX  läuft"));
        QCOMPARE(Control<QGroupBox>(form, "PGroupBox")->palette().color(QPalette::Window),
                 QColor(0, 255, 255));
        QCOMPARE(Control<QProgressBar>(form, "ProgressBar")->maximum(),
                 4);  // data pages 8 to 10, and 11 by the rule
        QCOMPARE(Control<QProgressBar>(form, "ProgressBar")->value(), 4);
    }

    // The same run through the emulated FTDI adapter and GPIO lines of
    // [cable]; a device chosen in "Sch&nittstelle..." is the next run's.
    void catalogueEntryProgramsThroughTheEmulatedUsbCables_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("pins");
        QTest::newRow("ftdi") << static_cast<int>(qvt::CableType::kFtdi) << "ft232h";
        QTest::newRow("gpio") << static_cast<int>(qvt::CableType::kGpio) << "raspberrypi";
    }
    void catalogueEntryProgramsThroughTheEmulatedUsbCables() {
        QFETCH(int, type);
        QFETCH(QString, pins);
        const qvt::CableChoice first{static_cast<qvt::CableType>(type), "W1", pins.toStdString(),
                                     true};
        qvt::MainWindow& form = Start(8253, qvt::ParallelAccess::kEmulated,
                                      [&](qvt::PlatformSettings& s) { s.cable = first; });
        const qvt::testing::Contents program = {{0x0000, qvt::testing::Pattern(300, 1)}};
        const qvt::testing::Contents table = {{0x0100, qvt::testing::Pattern(80, 3)}};
        WriteText("EVTPT_I.HEX", qvt::testing::MakeHex(program));
        WriteText("QVTPTTAB.HEX", qvt::testing::MakeHex(table));

        Trigger("QVT410PT2");
        QCOMPARE(app_->messages,
                 QStringList{"Meldung: Programm- und Datenspeicher fehlerfrei Programmiert"});
        // Between runs the adapter is free for another station's run.
        if (first.type == qvt::CableType::kFtdi) {
            const int lock = ::open("emulated-ftdi-W1.lock", O_RDWR);
            QVERIFY(lock >= 0);
            QCOMPARE(::flock(lock, LOCK_EX | LOCK_NB), 0);
            ::close(lock);
        }
        QVERIFY(chip().code() == qvt::testing::ImageOf(program, 12288));
        QVERIFY(chip().data() == qvt::testing::ImageOf(table, 2048));
        QVERIFY(chip().locked());
        QVERIFY(!QFile::exists("emulated-code.bin"));  // the parallel cable's chip untouched

        Trigger("Schnittstelle1");
        qvt::dialogs::ProgrammingPortDialog* dialog = form.dialogs().programmingPortDialog;
        Control<QLineEdit>(dialog, "DeviceEdit")->setText("W2");
        Control<QPushButton>(dialog, "OKBtn")->click();
        app_->messages.clear();
        Trigger("QVT410PT2");
        QCOMPARE(app_->messages,
                 QStringList{"Meldung: Programm- und Datenspeicher fehlerfrei Programmiert"});
        QCOMPARE(ReadFile("emulated-code-W2.bin").size(), 12288);
        QVERIFY(chip().code() == qvt::testing::ImageOf(program, 12288));
    }

    void escapeInTheWindowAbortsTheRun_data() {
        QTest::addColumn<int>("chipType");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("aborts");
        QTest::newRow("8252, ESC") << 8252 << int(Qt::Key_Escape) << true;
        QTest::newRow("8252, other key") << 8252 << int(Qt::Key_A) << false;
        QTest::newRow("8253, ESC") << 8253 << int(Qt::Key_Escape) << true;
    }
    void escapeInTheWindowAbortsTheRun() {
        QFETCH(int, chipType);
        QFETCH(int, key);
        QFETCH(bool, aborts);
        qvt::MainWindow& form = Start(chipType);
        if (chipType == 8252)
            UseChip8252();
        const qvt::testing::Contents program = {{0x0000, qvt::testing::Pattern(600, 4)}};
        WriteText("FW.HEX", qvt::testing::MakeHex(program));
        commands().SetFileChooser(
            [](QFileDialog&) { return QDir::current().absoluteFilePath("FW.HEX"); });
        QCoreApplication::postEvent(&form, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));

        Trigger("Datei2");
        if (aborts) {
            QCOMPARE(app_->messages, QStringList{"Fehler: Programmieren fehlgeschlagen"});
            QVERIFY(chip().statistics().byteWrites < 600);
            QVERIFY(chip().statistics().pageWrites < 11);  // of pages 0 to 10
            QVERIFY(!chip().locked());
        } else {
            QCOMPARE(app_->messages,
                     QStringList{"Meldung: Programmspeicher fehlerfrei Programmiert"});
            QVERIFY(chip().code() == qvt::testing::ImageOf(program, 8192));
        }
    }

    void freeChoiceProgramsFromTheChosenFolder() {
        Start(8253);
        QDir().mkpath("fw");
        const QString folder = QDir::current().absoluteFilePath("fw");
        const qvt::testing::Contents program = {{0x0040, qvt::testing::Pattern(20, 5)}};
        WriteText("fw/MY.HEX", qvt::testing::MakeHex(program));
        WriteText("fw/EVTUI_I.HEX", qvt::testing::MakeHex(program));
        WriteText("fw/TAB.HEX", qvt::testing::MakeHex(program));
        WriteText("fw/low.hex", qvt::testing::MakeHex(program));
        WriteText("fw/Mixed.Hex", qvt::testing::MakeHex(program));
        WriteText("fw/notes.txt", "");
        QString title;
        QString filter;
        QStringList listed;
        QString answer = folder + "/MY.HEX";
        commands().SetFileChooser([&](QFileDialog& dialog) {
            title = dialog.windowTitle();
            filter = dialog.findChild<QComboBox*>("fileTypeCombo")->currentText();
            dialog.setDirectory(folder);
            auto* view = dialog.findChild<QListView*>("listView");
            // The folder is read in the background; the listing is compared below.
            (void)QTest::qWaitFor([&] { return view->model()->rowCount(view->rootIndex()) >= 5; });
            listed.clear();
            for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row)
                listed << view->model()->index(row, 0, view->rootIndex()).data().toString();
            return answer;
        });
        // A data file of an earlier run, which a program file alone leaves out.
        commands().RunProgramming({}, "OLD.HEX");
        app_->messages.clear();

        Trigger("Datei2");
        QCOMPARE(title, QString("Programmdatei laden"));
        QCOMPARE(filter, QString("Intel Hex Dateien    *.HEX"));
        listed.sort();
        QCOMPARE(listed, (QStringList{"EVTUI_I.HEX", "MY.HEX", "Mixed.Hex", "TAB.HEX", "low.hex"}));
        QCOMPARE(commands().programFile(), std::string("MY.HEX"));  // never renamed
        QVERIFY(commands().dataFile().empty());
        QCOMPARE(QDir::currentPath(), folder);
        QCOMPARE(app_->messages, QStringList{"Meldung: Programmspeicher fehlerfrei Programmiert"});

        // The catalogue now looks in the chosen folder too.
        app_->messages.clear();
        Trigger("QVT410UI2");
        QCOMPARE(app_->messages, QStringList{"Meldung: Programmspeicher fehlerfrei Programmiert"});

        // The chip is locked now; a data file alone needs an erased chip.
        Trigger("Bausteinlschen1");
        app_->messages.clear();
        answer = folder + "/TAB.HEX";
        Trigger("Daten1");
        QCOMPARE(title, QString("Datendatei laden"));
        QVERIFY(commands().programFile().empty());
        QCOMPARE(commands().dataFile(), std::string("TAB.HEX"));
        QCOMPARE(app_->messages, QStringList{"Meldung: Datenspeicher fehlerfrei Programmiert"});

        app_->messages.clear();
        answer.clear();  // cancelled
        Trigger("Datei2");
        QVERIFY(app_->messages.isEmpty());
        QCOMPARE(commands().dataFile(), std::string("TAB.HEX"));
    }

    void chipTypeToggle_data() {
        QTest::addColumn<int>("deviceType");
        QTest::addColumn<QStringList>("labels");  // after the first and the second click
        QTest::addColumn<bool>("disables470");
        QTest::newRow("QVT410") << 0 << QStringList{"QVT410-2", "QVT410-3E"} << true;
        QTest::newRow("QVT0xx") << 1 << QStringList{"QVT0xx-2", "QVT0xx-3E"} << false;
        QTest::newRow("clock") << 2 << QStringList{"QVT055-Uhr-2", "QVT055-Uhr-2"} << false;
    }
    void chipTypeToggle() {
        QFETCH(int, deviceType);
        QFETCH(QStringList, labels);
        QFETCH(bool, disables470);
        qvt::MainWindow& form = Start();
        form.SelectDeviceType(static_cast<std::uint8_t>(deviceType));

        Trigger("Baustein1");  // through the menu, whose check mark Qt flips itself
        QCOMPARE(Control<QLabel>(form, "GeraetLabel")->text(), labels[0]);
        QCOMPARE(app_->context.state.chipType, std::uint16_t{8252});
        QVERIFY(!ActionNamed(form, "Baustein1")->isChecked());
        QVERIFY(!ActionNamed(form, "SIOTYP1")->isVisible());
        QVERIFY(ActionNamed(form, "QVT4701")->isEnabled());

        commands().ToggleChipType();
        QCOMPARE(Control<QLabel>(form, "GeraetLabel")->text(), labels[1]);
        const bool chip8253 = deviceType != 2;
        QCOMPARE(app_->context.state.chipType, std::uint16_t(chip8253 ? 8253 : 8252));
        QCOMPARE(ActionNamed(form, "Baustein1")->isChecked(), chip8253);
        QCOMPARE(ActionNamed(form, "SIOTYP1")->isVisible(), chip8253);
        QCOMPARE(ActionNamed(form, "QVT4701")->isEnabled(), !disables470);
        QVERIFY(ActionNamed(form, "QVT410055PT100Uhr1")->isEnabled());
    }

    void editionToggle() {
        qvt::MainWindow& form = Start();
        Trigger("SIOTYP1");
        QCOMPARE(app_->context.state.networkDevice, std::uint8_t{1});
        QCOMPARE(ActionNamed(form, "SIOTYP1")->text(), QString::fromUtf8("N&etzwerkgerät"));
        QCOMPARE(Control<QLabel>(form, "GeraetLabel")->text(), QString("QVT410-3N"));
        QVERIFY(!ActionNamed(form, "QVT410025Leistung1")->isVisible());
        QVERIFY(!ActionNamed(form, "QVT420025Leistung1")->isVisible());

        // A label without its suffix (as the device type dialog leaves it)
        // still ends up complete.
        Control<QLabel>(form, "GeraetLabel")->setText("QVT410");
        Trigger("SIOTYP1");
        QCOMPARE(app_->context.state.networkDevice, std::uint8_t{0});
        QCOMPARE(ActionNamed(form, "SIOTYP1")->text(), QString::fromUtf8("&Einzelgerät"));
        QCOMPARE(Control<QLabel>(form, "GeraetLabel")->text(), QString("QVT410-3E"));
        QVERIFY(ActionNamed(form, "QVT410025Leistung1")->isVisible());
        QVERIFY(ActionNamed(form, "QVT420025Leistung1")->isVisible());

        // The network edition is what the catalogue then looks for.
        Trigger("SIOTYP1");
        app_->messages.clear();
        Trigger("QVT420UI1");
        QCOMPARE(app_->messages,
                 QStringList{"Fehler: Programmdatei \"N420UI.HEX\" nicht gefunden"});
    }

    void firmwareFilesInAnyLetterCase_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("messages");
        const QStringList done{"Meldung: Programm- und Datenspeicher fehlerfrei Programmiert"};
        QTest::newRow("lower case") << QStringList{"evtpt_i.hex", "qvtpttab.hex"} << done;
        QTest::newRow("mixed case") << QStringList{"Evtpt_I.Hex", "QvtPtTab.HEX"} << done;
        // Which of two would be a guess: the name looked for is reported.
        QTest::newRow("two candidates")
            << QStringList{"evtpt_i.hex", "Evtpt_I.Hex", "QVTPTTAB.HEX"}
            << QStringList{"Fehler: Programmdatei \"EVTPT_I.HEX\" nicht gefunden"};
        // Neither memory is touched when the second file is not there.
        QTest::newRow("data file missing")
            << QStringList{"evtpt_i.hex"}
            << QStringList{"Fehler: Datendatei \"QVTPTTAB.HEX\" nicht gefunden"};
    }
    void firmwareFilesInAnyLetterCase() {
        QFETCH(QStringList, files);
        QFETCH(QStringList, messages);
        Start(8253);
        const qvt::testing::Contents contents = {{0x0000, qvt::testing::Pattern(20, 9)}};
        for (const QString& file : files)
            WriteText(file.toStdString(), qvt::testing::MakeHex(contents));
        Trigger("QVT410PT2");
        QCOMPARE(app_->messages, messages);
        QCOMPARE(chip().statistics().erasures, messages.first().startsWith("Fehler") ? 0 : 1);
    }

    // What the device sends during a run waits in the port until the run is
    // over, even when the monitor was due to look (a transmission that just
    // ended leaves it such a call) before the progress box shows.
    void monitorWaitsForTheWholeRun_data() {
        QTest::addColumn<int>("chipType");
        QTest::addColumn<QString>("file");
        QTest::newRow("8253, page mode") << 8253 << "EVTUI_I.HEX";
        QTest::newRow("8252, byte mode") << 8252 << "QVTUI_I.HEX";
    }
    void monitorWaitsForTheWholeRun() {
        QFETCH(int, chipType);
        QFETCH(QString, file);
        PtyPair device;
        QVERIFY(device.ok());
        Start(chipType, qvt::ParallelAccess::kEmulated,
              [&](qvt::PlatformSettings& s) { s.serialDevices[1] = device.path(); });
        if (chipType == 8252)
            UseChip8252();
        WriteText(file.toStdString(), qvt::testing::MakeHex({{0, qvt::testing::Pattern(300, 10)}}));
        qvt::LinkCommands& link = app_->form->linkCommands();
        QTest::qWait(20);  // the monitor's first look at the port
        device.Send("-12.34\r");
        link.HoldMonitor();
        link.ReleaseMonitor();
        std::int64_t telegramsAtOutcome = -1;
        qvt::SetMessageInterceptor([&](const QString& text, const QString& caption) {
            app_->messages << caption + ": " + text;
            telegramsAtOutcome = link.monitorStats().telegrams;
        });

        Trigger("QVT410UI2");
        QCOMPARE(app_->messages, QStringList{"Meldung: Programmspeicher fehlerfrei Programmiert"});
        QCOMPARE(telegramsAtOutcome, std::int64_t{0});
        QTRY_COMPARE(link.monitorStats().telegrams, std::int64_t{1});
        QCOMPARE(Control<QLabel>(*app_->form, "SerLabel")->text(), QString("-12.34"));
    }

    // One line at start tells "nothing answers" from "no port access".
    void startNamesTheParallelAccess() {
        for (const auto& [mode_, access] :
             {std::pair{qvt::ParallelAccess::kEmulated, "emulated 8252"},
              std::pair{qvt::ParallelAccess::kPpdev, "none"}}) {
            const qvt::ParallelAccess mode = mode_;  // a binding clang 14 can capture
            const QByteArray written = StandardErrorOf([&] {
                Start(8252, mode, [](qvt::PlatformSettings& s) { s.ppdevFor378 = "no-parport"; });
            });
            QCOMPARE(written.count("qvt410: Parallelport:"), 1);
            QVERIFY2(written.contains(QByteArray("qvt410: Parallelport: ") + access + "\n"),
                     written.constData());
        }
    }

    void eraseCommand() {
        Start(8253);
        WriteText("EVTUI_I.HEX", qvt::testing::MakeHex({{0x0000, qvt::testing::Pattern(70, 6)}}));
        Trigger("QVT410UI2");
        QVERIFY(chip().locked());
        app_->messages.clear();
        Trigger("Bausteinlschen1");
        QCOMPARE(app_->messages,
                 QStringList{QString::fromUtf8("Meldung: Programm- und Datenspeicher gelöscht")});
        QVERIFY(chip().code() == std::vector<std::uint8_t>(12288, 0xFF));
        QVERIFY(!chip().locked());
        QCOMPARE(chip().Read(0x378), std::uint8_t{0x08});
    }

    void withoutPortAccessTheChipNeverAnswers() {
        Start(8253, qvt::ParallelAccess::kNone);
        QCOMPARE(commands().parallelAccess(), qvt::ParallelAccess::kNone);
        QCOMPARE(app_->context.state.portAccessMode, qvt::ParallelAccess::kNone);
        Trigger("Bausteinlschen1");
        QCOMPARE(app_->messages, QStringList{QString::fromUtf8("Fehler: Löschen nicht möglich")});
    }

    void traceRecordsThePortFromTheStart() {
        app_->context.settings.parallelAccess = qvt::ParallelAccess::kEmulated;
        app_->context.settings.portTraceFile = "trace.txt";
        app_->Start();
        QCOMPARE(ReadFile("trace.txt"), QByteArray("W 0378 08\nW 0378 08\n"));
    }

    void portDialogStoresTheChoiceForTheNextStart_data() {
        QTest::addColumn<int>("lptIndex");
        QTest::addColumn<QString>("checked");
        QTest::newRow("LPT1") << 0 << "PLpRBtn1";
        QTest::newRow("LPT2") << 1 << "PLpRBtn2";
        QTest::newRow("LPT3") << 2 << "PLpRBtn3";
        QTest::newRow("index 3") << 3 << "PLpRBtn1";
    }
    void portDialogStoresTheChoiceForTheNextStart() {
        QFETCH(int, lptIndex);
        QFETCH(QString, checked);
        WriteFile("QVT410.CFG", QByteArray("\x01\x05\x00\x01", 4));
        qvt::MainWindow& form = Start();
        app_->context.state.lptIndex = static_cast<std::uint8_t>(lptIndex);
        Trigger("Schnittstelle1");
        qvt::dialogs::ProgrammingPortDialog* dialog = form.dialogs().programmingPortDialog;
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->windowTitle(), QString("Programmierschnittstelle"));
        QVERIFY(dialog->findChild<QRadioButton*>(checked)->isChecked());
        QCOMPARE(Control<QRadioButton>(dialog, "PLpRBtn3")->text(),
                 QString("Schnittstelle = LPT3"));

        // Chosen after a firmware file elsewhere moved the working folder.
        const QString start = QDir::currentPath();
        QDir().mkpath("elsewhere");
        QDir::setCurrent("elsewhere");
        Control<QRadioButton>(dialog, "PLpRBtn3")->setChecked(true);
        Control<QPushButton>(dialog, "OKBtn")->click();
        QVERIFY(!dialog->isVisible());
        QCOMPARE(app_->context.state.lptIndex, std::uint8_t{2});
        QCOMPARE(app_->context.state.lptBase, std::uint16_t{0x378});
        QCOMPARE(ReadFile(start + "/QVT410.CFG"), QByteArray("\x01\x05\x02\x01", 4));
        QVERIFY(!QFile::exists("QVT410.CFG"));
        // The cable was left as it was: no QVT410.INI appears for it.
        QVERIFY(!QFile::exists(start + "/QVT410.INI"));
    }

    // A cable chosen in the dialog is the running one at once and the next
    // start's, in QVT410.INI beside QVT410.CFG; the user's lines stay.
    void portDialogKeepsTheChosenCable() {
        WriteFile("QVT410.CFG", QByteArray("\x01\x05\x00\x01", 4));
        WriteFile("QVT410.INI", "[parallel]\ntrace=port.trace ; kept\n");
        qvt::MainWindow& form = Start();
        Trigger("Schnittstelle1");
        qvt::dialogs::ProgrammingPortDialog* dialog = form.dialogs().programmingPortDialog;
        QCOMPARE(Control<QComboBox>(dialog, "CableBox")->currentText(), QString("Parallelport"));
        const QString start = QDir::currentPath();
        QDir().mkpath("elsewhere");
        QDir::setCurrent("elsewhere");
        Control<QComboBox>(dialog, "CableBox")->setCurrentIndex(1);
        QTest::keyClicks(Control<QLineEdit>(dialog, "DeviceEdit"), "usb:001:004");
        Control<QPushButton>(dialog, "OKBtn")->click();
        QVERIFY(!dialog->isVisible());
        const qvt::CableChoice chosen{qvt::CableType::kFtdi, "usb:001:004", "ft232r", false};
        QVERIFY(app_->context.settings.cable == chosen);
        QCOMPARE(ReadFile(start + "/QVT410.INI"),
                 QByteArray("[parallel]\ntrace=port.trace ; kept\n\n[cable]\ntype=ftdi\n"
                            "device=usb:001:004\npins=ft232r\n"));
        QVERIFY(!QFile::exists("QVT410.INI"));

        // Shown again as kept.
        Trigger("Schnittstelle1");
        QCOMPARE(Control<QLineEdit>(dialog, "DeviceEdit")->text(), QString("usb:001:004"));
    }

    void portDialogCancelChangesNothing() {
        WriteFile("QVT410.CFG", QByteArray("\x01\x05\x01\x01", 4));
        qvt::MainWindow& form = Start();
        Trigger("Schnittstelle1");
        qvt::dialogs::ProgrammingPortDialog* dialog = form.dialogs().programmingPortDialog;
        QVERIFY(Control<QRadioButton>(dialog, "PLpRBtn2")->isChecked());
        Control<QRadioButton>(dialog, "PLpRBtn1")->setChecked(true);
        Control<QPushButton>(dialog, "CancelBtn")->click();
        QCOMPARE(app_->context.state.lptIndex, std::uint8_t{1});
        QCOMPARE(ReadFile("QVT410.CFG"), QByteArray("\x01\x05\x01\x01", 4));
    }

    void outsideProgrammer_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("exitCodes");
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<QStringList>("messages");
        const QString w = "QVT470 W 1 101";
        const QString s = "QVT470 S 1 101";
        QTest::newRow("both runs succeed")
            << "QVT470010UI1"
            << "0\n0\n"
            << QStringList{w, s} << QStringList{"Meldung: Programmierung OK"};
        QTest::newRow("040 variant")
            << "Q470401"
            << "0\n0\n"
            << QStringList{"QVT47040 W 1 101", s} << QStringList{"Meldung: Programmierung OK"};
        QTest::newRow("start fails silently")
            << "Q470401"
            << "0\n5\n"
            << QStringList{"QVT47040 W 1 101", s} << QStringList{};
        QTest::newRow("no hex file")
            << "QVT470010UI1"
            << "4\n"
            << QStringList{w} << QStringList{"Fehler: Hex-Datei nicht vorhanden"};
        QTest::newRow("checksum") << "QVT470010UI1"
                                  << "7\n"
                                  << QStringList{w}
                                  << QStringList{QString::fromUtf8(
                                         "Fehler: Prüfsumme der Hex-Datei fehlerhaft")};
        QTest::newRow("killed by a signal")
            << "QVT470010UI1"
            << "KILL\n"
            << QStringList{w}
            << QStringList{"Fehler: XPG.EXE wurde durch das Signal SIGKILL (9) beendet"};
        QTest::newRow("unknown code")
            << "QVT470010UI1"
            << "9\n"
            << QStringList{w} << QStringList{"Fehler: XPG.EXE endete mit dem unbekannten Code 9"};
    }
    void outsideProgrammer() {
        QFETCH(QString, item);
        QFETCH(QString, exitCodes);
        QFETCH(QStringList, calls);
        QFETCH(QStringList, messages);
        const QString start = QDir::currentPath();
        InstallOutsideProgrammer(start, exitCodes.toUtf8());
        Start();
        Trigger(item.toUtf8().constData());
        QCOMPARE(app_->messages, messages);
        // Argument 0 is the program's name, and it runs in the start folder.
        for (QString& call : calls) call = "XPG.EXE|" + start + "|" + call;
        QCOMPARE(OutsideProgrammerRuns(start), calls);
    }

    // A firmware choice made another folder the working folder; an XPG.EXE
    // that came with the firmware there is not the programmer.
    void outsideProgrammerRunsFromTheStartFolder() {
        const QString start = QDir::currentPath();
        InstallOutsideProgrammer(start, "0\n0\n");
        QDir().mkpath("download");
        WriteText("download/FW.HEX",
                  qvt::testing::MakeHex({{0x0000, qvt::testing::Pattern(16, 8)}}));
        WriteFile("download/XPG.EXE", "#!/bin/sh\ntouch foreign-xpg-ran\nexit 0\n");
        QFile::setPermissions("download/XPG.EXE",
                              QFile::permissions("download/XPG.EXE") | QFile::ExeOwner);
        Start();
        commands().SetFileChooser(
            [](QFileDialog&) { return QDir().absoluteFilePath("download/FW.HEX"); });
        Trigger("Datei2");
        QCOMPARE(QDir::currentPath(), start + "/download");
        app_->messages.clear();

        Trigger("QVT470010UI1");
        QCOMPARE(app_->messages, QStringList{"Meldung: Programmierung OK"});
        QCOMPARE(OutsideProgrammerRuns(start),
                 (QStringList{"XPG.EXE|" + start + "|QVT470 W 1 101",
                              "XPG.EXE|" + start + "|QVT470 S 1 101"}));
        QVERIFY(!QFile::exists(start + "/download/foreign-xpg-ran"));
    }

    void outsideProgrammerOnlyFromTheWorkingFolder() {
        // An XPG.EXE on the search path is not the one in the working folder.
        QDir().mkpath("bin");
        WriteFile("bin/XPG.EXE", "#!/bin/sh\nexit 0\n");
        QFile::setPermissions("bin/XPG.EXE", QFile::permissions("bin/XPG.EXE") | QFile::ExeOwner);
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QDir::current().absoluteFilePath("bin").toUtf8() + ":" + path);
        Start();
        Trigger("QVT470010UI1");
        qputenv("PATH", path);
        QCOMPARE(app_->messages, QStringList{"Fehler: XPG.EXE konnte nicht gestartet werden"});
    }
};

int main(int argc, char* argv[]) {
    if (std::getenv(kStandInLog))
        return RunAsOutsideProgrammer(argc, argv);
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    ProgrammingCommandsTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "programming_commands_test.moc"
