// The "Programmieren" menu end to end with the emulated cable: catalogue,
// free file choice, erase, chip type and edition toggles, the port dialog,
// ESC, and the outside programmer with a stand-in XPG.EXE.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>

#include "dialogs/message_box.h"
#include "dialogs/plpt_dlg.h"
#include "platform/emulated_isp_chip.h"
#include "prog/firmware_catalogue.h"
#include "prog/prog_test_support.h"
#include "shell/main_window.h"
#include "shell/programming_commands.h"
#include "shell/file_helpers.h"

class ProgrammingCommandsTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir dir_;
    QString previousDir_;
    QStringList messages_;
    std::unique_ptr<qvt::AppContext> ctx_;
    std::unique_ptr<TForm1> form_;

    // A started main window whose parallel port is the emulated cable.
    TForm1& Start(int chip = 8253, const char* access = "emulated") {
        ctx_ = std::make_unique<qvt::AppContext>();
        ctx_->settings.parallelAccess = access;
        ctx_->settings.emulatedChip = chip;
        ctx_->settings.programmingMenuVisible = true;
        form_ = std::make_unique<TForm1>(*ctx_);
        form_->CreateDialogs();
        form_->FormCreate();
        return *form_;
    }
    ProgrammingCommands& commands() { return form_->programmingCommands(); }
    qvt::EmulatedIspChip& chip() { return *commands().emulatedChip(); }
    void Trigger(const char* name) {
        QAction* item = form_->action(name);
        QVERIFY2(item, name);
        item->trigger();
    }
    void UseChip8252() {
        if (ctx_->state.ChipType != 8252)
            commands().Baustein1Click();
        QCOMPARE(ctx_->state.ChipType, std::uint16_t{8252});
    }

  private slots:
    void init() {
        QVERIFY(dir_.isValid());
        previousDir_ = QDir::currentPath();
        QDir(dir_.path()).removeRecursively();
        QDir().mkpath(dir_.path());
        QDir::setCurrent(dir_.path());
        messages_.clear();
        qvt::SetMessageInterceptor([this](const QString& text, const QString& caption) {
            messages_ << caption + ": " + text;
        });
    }
    void cleanup() {
        form_.reset();
        ctx_.reset();
        qvt::SetMessageInterceptor({});
        QDir::setCurrent(previousDir_);
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
            ctx_->state.ChipType = e.chip;
            ctx_->state.NetworkDevice = e.network;
            for (const qvt::CatalogueEntry& entry : qvt::FirmwareCatalogue()) {
                std::string expected = entry.programFile;
                const bool clock = std::string(entry.itemName) == "QVT410055PT100Uhr1";
                if (e.chip == 8253 && !clock)
                    expected[0] = e.network ? 'N' : 'E';
                messages_.clear();
                QAction* item = form_->action(entry.itemName);
                QVERIFY2(item, entry.itemName);
                if (item->isEnabled()) {
                    item->trigger();
                } else {
                    // Hidden items (the 025 variants of 430..460) take no clicks.
                    commands().CatalogueEntryClick(entry);
                }
                QCOMPARE(messages_,
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
        TForm1& form = Start(8253);
        const qvt::testing::Contents program = {{0x0000, qvt::testing::Pattern(300, 1)},
                                                {0x2000, qvt::testing::Pattern(64, 2)}};
        const qvt::testing::Contents table = {{0x0100, qvt::testing::Pattern(80, 3)}};
        qvt::testing::WriteText("EVTPT_I.HEX", qvt::testing::MakeHex(program));
        qvt::testing::WriteText("QVTPTTAB.HEX", qvt::testing::MakeHex(table));
        form.AnzGroupBox->show();
        form.SerPanel->show();

        Trigger("QVT410PT2");
        QCOMPARE(messages_,
                 QStringList{"Meldung: Programm- und Datenspeicher fehlerfrei Programmiert"});
        QVERIFY(chip().code() == qvt::testing::ImageOf(program, 12288));
        QVERIFY(chip().data() == qvt::testing::ImageOf(table, 2048));
        QVERIFY(chip().locked());
        // The memory files show the result to anyone looking from outside.
        QCOMPARE(ReadFile("emulated-data.bin").size(), 2048);
        QVERIFY(ReadFile("emulated-data.bin").mid(0x100, 80) ==
                QByteArray(reinterpret_cast<const char*>(table.at(0x100).data()), 80));
        QVERIFY(form.PGroupBox->isHidden());
        QVERIFY(form.AnzGroupBox->isHidden());  // until the next telegram
        QVERIFY(form.SerPanel->isHidden());
        QCOMPARE(form.PGroupBox->title(), QString(" QVT Programmieren "));
        QCOMPARE(form.PLabel->text(), QString::fromUtf8("Programmierung des Datenspeichers   mit\n"
                                                        "QVTPTTAB.HEX  läuft"));
        QCOMPARE(form.PGroupBox->palette().color(QPalette::Window), QColor(0, 255, 255));
        QCOMPARE(form.ProgressBar->maximum(), 4);  // data pages 8 to 10, and 11 by the rule
        QCOMPARE(form.ProgressBar->value(), 4);
    }

    void escapeInTheWindowAbortsTheByteMode_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("aborts");
        QTest::newRow("ESC") << int(Qt::Key_Escape) << true;
        QTest::newRow("other key") << int(Qt::Key_A) << false;
    }
    void escapeInTheWindowAbortsTheByteMode() {
        QFETCH(int, key);
        QFETCH(bool, aborts);
        TForm1& form = Start(8252);
        UseChip8252();
        const qvt::testing::Contents program = {{0x0000, qvt::testing::Pattern(600, 4)}};
        qvt::testing::WriteText("FW.HEX", qvt::testing::MakeHex(program));
        commands().SetFileChooser(
            [](QFileDialog&) { return QDir::current().absoluteFilePath("FW.HEX"); });
        QCoreApplication::postEvent(&form, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));

        Trigger("Datei2");
        if (aborts) {
            QCOMPARE(messages_, QStringList{"Fehler: Programmieren fehlgeschlagen"});
            QVERIFY(chip().statistics().byteWrites < 600);
            QVERIFY(!chip().locked());
        } else {
            QCOMPARE(messages_, QStringList{"Meldung: Programmspeicher fehlerfrei Programmiert"});
            QVERIFY(chip().code() == qvt::testing::ImageOf(program, 8192));
        }
    }

    void freeChoiceProgramsFromTheChosenFolder() {
        Start(8253);
        QDir().mkpath("fw");
        const QString folder = QDir::current().absoluteFilePath("fw");
        const qvt::testing::Contents program = {{0x0040, qvt::testing::Pattern(20, 5)}};
        qvt::testing::WriteText("fw/MY.HEX", qvt::testing::MakeHex(program));
        qvt::testing::WriteText("fw/EVTUI_I.HEX", qvt::testing::MakeHex(program));
        qvt::testing::WriteText("fw/TAB.HEX", qvt::testing::MakeHex(program));
        QString title;
        QStringList filters;
        QString answer = folder + "/MY.HEX";
        commands().SetFileChooser([&](QFileDialog& dialog) {
            title = dialog.windowTitle();
            filters = dialog.nameFilters();
            return answer;
        });
        commands().DataFileName = "OLD.HEX";

        Trigger("Datei2");
        QCOMPARE(title, QString("Programmdatei laden"));
        // Qt keeps filter texts with single blanks.
        QCOMPARE(filters, QStringList{"Intel Hex Dateien *.HEX (*.HEX)"});
        QCOMPARE(commands().ProgramFileName, std::string("MY.HEX"));  // never renamed
        QVERIFY(commands().DataFileName.empty());
        QCOMPARE(QDir::currentPath(), folder);
        QCOMPARE(messages_, QStringList{"Meldung: Programmspeicher fehlerfrei Programmiert"});

        // The catalogue now looks in the chosen folder too.
        messages_.clear();
        Trigger("QVT410UI2");
        QCOMPARE(messages_, QStringList{"Meldung: Programmspeicher fehlerfrei Programmiert"});

        // The chip is locked now; a data file alone needs an erased chip.
        Trigger("Bausteinlschen1");
        messages_.clear();
        answer = folder + "/TAB.HEX";
        Trigger("Daten1");
        QCOMPARE(title, QString("Datendatei laden"));
        QVERIFY(commands().ProgramFileName.empty());
        QCOMPARE(commands().DataFileName, std::string("TAB.HEX"));
        QCOMPARE(messages_, QStringList{"Meldung: Datenspeicher fehlerfrei Programmiert"});

        messages_.clear();
        answer.clear();  // cancelled
        Trigger("Datei2");
        QVERIFY(messages_.isEmpty());
        QCOMPARE(commands().DataFileName, std::string("TAB.HEX"));
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
        TForm1& form = Start();
        form.SelectDeviceType(static_cast<std::uint8_t>(deviceType));

        Trigger("Baustein1");  // through the menu, whose check mark Qt flips itself
        QCOMPARE(form.GeraetLabel->text(), labels[0]);
        QCOMPARE(ctx_->state.ChipType, std::uint16_t{8252});
        QVERIFY(!form.action("Baustein1")->isChecked());
        QVERIFY(!form.action("SIOTYP1")->isVisible());
        QVERIFY(form.action("QVT4701")->isEnabled());

        commands().Baustein1Click();
        QCOMPARE(form.GeraetLabel->text(), labels[1]);
        const bool chip8253 = deviceType != 2;
        QCOMPARE(ctx_->state.ChipType, std::uint16_t(chip8253 ? 8253 : 8252));
        QCOMPARE(form.action("Baustein1")->isChecked(), chip8253);
        QCOMPARE(form.action("SIOTYP1")->isVisible(), chip8253);
        QCOMPARE(form.action("QVT4701")->isEnabled(), !disables470);
        QVERIFY(form.action("QVT410055PT100Uhr1")->isEnabled());
    }

    void editionToggle() {
        TForm1& form = Start();
        Trigger("SIOTYP1");
        QCOMPARE(ctx_->state.NetworkDevice, std::uint8_t{1});
        QCOMPARE(form.action("SIOTYP1")->text(), QString::fromUtf8("N&etzwerkgerät"));
        QCOMPARE(form.GeraetLabel->text(), QString("QVT410-3N"));
        QVERIFY(!form.action("QVT410025Leistung1")->isVisible());
        QVERIFY(!form.action("QVT420025Leistung1")->isVisible());

        // A label without its suffix (as the device type dialog leaves it)
        // still ends up complete.
        form.GeraetLabel->setText("QVT410");
        Trigger("SIOTYP1");
        QCOMPARE(ctx_->state.NetworkDevice, std::uint8_t{0});
        QCOMPARE(form.action("SIOTYP1")->text(), QString::fromUtf8("&Einzelgerät"));
        QCOMPARE(form.GeraetLabel->text(), QString("QVT410-3E"));
        QVERIFY(form.action("QVT410025Leistung1")->isVisible());
        QVERIFY(form.action("QVT420025Leistung1")->isVisible());

        // The network edition is what the catalogue then looks for.
        Trigger("SIOTYP1");
        messages_.clear();
        Trigger("QVT420UI1");
        QCOMPARE(messages_, QStringList{"Fehler: Programmdatei \"N420UI.HEX\" nicht gefunden"});
    }

    void eraseCommand() {
        Start(8253);
        qvt::testing::WriteText("EVTUI_I.HEX",
                                qvt::testing::MakeHex({{0x0000, qvt::testing::Pattern(70, 6)}}));
        Trigger("QVT410UI2");
        QVERIFY(chip().locked());
        messages_.clear();
        Trigger("Bausteinlschen1");
        QCOMPARE(messages_,
                 QStringList{QString::fromUtf8("Meldung: Programm- und Datenspeicher gelöscht")});
        QVERIFY(chip().code() == std::vector<std::uint8_t>(12288, 0xFF));
        QVERIFY(!chip().locked());
        QCOMPARE(chip().Read(0x378), std::uint8_t{0x08});
    }

    void withoutPortAccessTheChipNeverAnswers() {
        Start(8253, "none");
        QCOMPARE(commands().parallelAccess(), qvt::ParallelAccess::None);
        QCOMPARE(ctx_->state.PortAccessMode, std::uint8_t{qvt::kPortAccessNone});
        Trigger("Bausteinlschen1");
        QCOMPARE(messages_, QStringList{QString::fromUtf8("Fehler: Löschen nicht möglich")});
    }

    void traceRecordsThePortFromTheStart() {
        ctx_ = std::make_unique<qvt::AppContext>();
        ctx_->settings.parallelAccess = "emulated";
        ctx_->settings.portTraceFile = "trace.txt";
        form_ = std::make_unique<TForm1>(*ctx_);
        form_->CreateDialogs();
        form_->FormCreate();
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
        TForm1& form = Start();
        ctx_->state.LptIndex = static_cast<std::uint8_t>(lptIndex);
        Trigger("Schnittstelle1");
        TPLptDlg* dialog = form.dialogs().PLptDlg;
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->windowTitle(), QString("Programmierschnittstelle"));
        QVERIFY(dialog->findChild<QRadioButton*>(checked)->isChecked());
        QCOMPARE(dialog->PLpRBtn3->text(), QString("Schnittstelle = LPT3"));

        // Chosen after a firmware file elsewhere moved the working folder.
        const QString start = QDir::currentPath();
        QDir().mkpath("elsewhere");
        QDir::setCurrent("elsewhere");
        dialog->PLpRBtn3->setChecked(true);
        dialog->OKBtn->click();
        QVERIFY(!dialog->isVisible());
        QCOMPARE(ctx_->state.LptIndex, std::uint8_t{2});
        QCOMPARE(ctx_->state.LptBase, std::uint16_t{0x378});
        QCOMPARE(ReadFile(start + "/QVT410.CFG"), QByteArray("\x01\x05\x02\x01", 4));
        QVERIFY(!QFile::exists("QVT410.CFG"));
    }

    void portDialogCancelChangesNothing() {
        WriteFile("QVT410.CFG", QByteArray("\x01\x05\x01\x01", 4));
        TForm1& form = Start();
        Trigger("Schnittstelle1");
        TPLptDlg* dialog = form.dialogs().PLptDlg;
        QVERIFY(dialog->PLpRBtn2->isChecked());
        dialog->PLpRBtn1->setChecked(true);
        dialog->CancelBtn->click();
        QCOMPARE(ctx_->state.LptIndex, std::uint8_t{1});
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
        WriteFile("xpg-codes.txt", exitCodes.toUtf8());
        WriteFile("XPG.EXE",
                  "#!/bin/sh\n"
                  "echo \"$*\" >> xpg-calls.txt\n"
                  "n=$(wc -l < xpg-calls.txt)\n"
                  "exit $(sed -n \"${n}p\" xpg-codes.txt)\n");
        QFile::setPermissions("XPG.EXE", QFile::permissions("XPG.EXE") | QFile::ExeOwner);
        Start();
        Trigger(item.toUtf8().constData());
        QCOMPARE(messages_, messages);
        QCOMPARE(QString::fromUtf8(ReadFile("xpg-calls.txt")).split('\n', Qt::SkipEmptyParts),
                 calls);
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
        QCOMPARE(messages_, QStringList{"Fehler: XPG.EXE konnte nicht gestartet werden"});
    }
};

QTEST_MAIN(ProgrammingCommandsTest)
#include "programming_commands_test.moc"
