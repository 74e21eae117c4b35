#include "shell/programming_commands.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

#include <cstdio>
#include <filesystem>

#include "dialogs/message_box.h"
#include "dialogs/plpt_dlg.h"
#include "platform/monotonic_counter.h"
#include "platform/process_runner.h"
#include "prog/external_programmer.h"
#include "prog/firmware_catalogue.h"
#include "prog/isp_link.h"
#include "prog/port_io.h"
#include "prog/programmer.h"
#include "shell/link_commands.h"
#include "shell/main_window.h"
#include "shell/programming_progress.h"

namespace {

// Items that the chip type command enables before it decides again.
constexpr const char* kChipDependentItems[] = {
    "QVT410025Leistung1", "QVT410055PT100Uhr1", "QVT420025Leistung1", "QVT430070Drehzahl1",
    "QVT430075Frequenz1", "QVT430080Durchflu1", "QVT430085Zhler1",    "QVT430025Leistung1",
    "QVT440070Drehzahl1", "QVT440075Frequenz1", "QVT440080Durchflu1", "QVT440085Zhler1",
    "QVT440025Leistung1", "QVT460070Drehzahl",  "QVT460075Frequenz",  "QVT460080Durchflu",
    "QVT460085Zhler",     "QVT460025Leistung",  "QVT450070Drehzahl",  "QVT450075Frequenz",
    "QVT450080Durchflu",  "QVT450085Zhler",     "QVT450025Leistung",  "QVT4701",
};

// With an 8253 in a QVT410 there is no firmware for these.
constexpr const char* kNotFor8253[] = {"QVT430025Leistung1", "QVT440025Leistung1",
                                       "QVT460025Leistung", "QVT450025Leistung", "QVT4701"};

// The power variants that have no network edition.
constexpr const char* kNotForNetwork[] = {"QVT410025Leistung1", "QVT420025Leistung1"};

QString RunDialog(QFileDialog& dialog) {
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

// The firmware files' filter as the list shows it; the pattern behind it
// takes the extension in any letter case.
constexpr const char* kHexFilterCaption = "Intel Hex Dateien    *.HEX";
constexpr const char* kHexFilterPatterns = " (*.HEX *.[Hh][Ee][Xx])";

// Qt's filter list shows a filter with its patterns and with single blanks;
// the list shows the caption as designed instead.
void ShowFilterCaption(QFileDialog& dialog, const char* caption) {
    if (auto* list = dialog.findChild<QComboBox*>("fileTypeCombo"))
        list->setItemText(0, caption);
}

// Keeps the telegram monitor still for a whole programming run, repaints of
// the progress box and the outcome message included: the run owns the main
// thread, and what the device sends meanwhile waits in the port.
class MonitorHold {
  public:
    explicit MonitorHold(LinkCommands& link) : link_(link) { link_.HoldMonitor(); }
    ~MonitorHold() { link_.ReleaseMonitor(); }
    MonitorHold(const MonitorHold&) = delete;
    MonitorHold& operator=(const MonitorHold&) = delete;

  private:
    LinkCommands& link_;
};

}  // namespace

ProgrammingCommands::ProgrammingCommands(TForm1& form, qvt::AppContext& context)
    : form_(form),
      context_(context),
      chooseFile_(RunDialog),
      counter_(std::make_unique<qvt::MonotonicCounter>()),
      io_(std::make_unique<qvt::PortIo>()) {
    ConnectMenu();
}

ProgrammingCommands::~ProgrammingCommands() {
    Shutdown();
}

void ProgrammingCommands::ConnectMenu() {
    for (const qvt::CatalogueEntry& entry : qvt::FirmwareCatalogue()) {
        if (QAction* item = form_.action(entry.itemName)) {
            connect(item, &QAction::triggered, this,
                    [this, &entry] { CatalogueEntryClick(entry); });
        }
    }
    auto on = [this](const char* name, void (ProgrammingCommands::*handler)()) {
        if (QAction* item = form_.action(name)) {
            connect(item, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
        }
    };
    on("Datei2", &ProgrammingCommands::Datei2Click);
    on("Daten1", &ProgrammingCommands::Daten1Click);
    on("Bausteinlschen1", &ProgrammingCommands::Bausteinlschen1Click);
    on("SIOTYP1", &ProgrammingCommands::SIOTYP1Click);
    on("Schnittstelle1", &ProgrammingCommands::Schnittstelle1Click);
    on("QVT470010UI1", &ProgrammingCommands::QVT470010UI1Click);
    on("Q470401", &ProgrammingCommands::Q470401Click);
    if (QAction* chip = form_.action("Baustein1")) {
        // The menu has already flipped the check mark; the command flips it itself.
        connect(chip, &QAction::triggered, this, [this, chip](bool checked) {
            chip->setChecked(!checked);
            Baustein1Click();
        });
    }
}

// ---- Port --------------------------------------------------------------------

void ProgrammingCommands::OpenPortAccess() {
    accessPending_ = true;
    const std::string& trace = context_.settings.portTraceFile;
    if (!trace.empty()) {
        // Fixed now: choosing a firmware file elsewhere changes the working folder.
        io_->OpenTrace(
            QFile::encodeName(QDir::current().absoluteFilePath(QFile::decodeName(trace.c_str())))
                .toStdString());
    }
}

void ProgrammingCommands::EnsurePortAccess() {
    if (!accessPending_)
        return;
    accessPending_ = false;
    port_ = qvt::OpenParallelBackend(context_.settings, context_.state.LptBase, *counter_);
    io_->SetPort(port_.port.get());
    // Tells "nothing answers" apart from "no port access".
    std::fprintf(stderr, "qvt410: Parallelport: %s\n", port_.description.c_str());
    context_.state.PortAccessMode = port_.access;
}

void ProgrammingCommands::WriteIdlePattern() {
    EnsurePortAccess();
    io_->PortWrite(context_.state.LptBase, qvt::kIspIdlePattern);
    io_->FlushTrace();
}

void ProgrammingCommands::Shutdown() {
    io_->SetPort(nullptr);
    port_ = {};
    accessPending_ = false;
    io_->FlushTrace();
}

qvt::EmulatedIspChip* ProgrammingCommands::emulatedChip() {
    EnsurePortAccess();
    return port_.chip;
}

qvt::ParallelAccess ProgrammingCommands::parallelAccess() {
    EnsurePortAccess();
    return port_.access;
}

// ---- Programming -------------------------------------------------------------

void ProgrammingCommands::RunProgramming() {
    const MonitorHold hold(form_.linkCommands());
    EnsurePortAccess();
    ProgrammingProgress view(form_);
    qvt::IspLink link(*io_, *counter_, context_.state.LptBase);
    qvt::Programmer(link, context_.state.ChipType, view)
        .RunProgramming(ProgramFileName, DataFileName);
    io_->FlushTrace();
}

void ProgrammingCommands::CatalogueEntryClick(const qvt::CatalogueEntry& entry) {
    const qvt::FirmwareFiles files =
        qvt::FilesFor(entry, context_.state.ChipType, context_.state.NetworkDevice);
    ProgramFileName = files.program;
    DataFileName = files.data;
    RunProgramming();
}

bool ProgrammingCommands::ChooseFirmwareFile(const QString& title, std::string& fileName) {
    // The open dialog of the parameter files lends itself when there is one.
    QFileDialog* dialog = form_.findChild<QFileDialog*>("OpenDialog1");
    std::unique_ptr<QFileDialog> own;
    if (!dialog) {
        own = std::make_unique<QFileDialog>(&form_);
        own->setObjectName("FirmwareDialog");
        own->setFileMode(QFileDialog::ExistingFile);
        own->setAcceptMode(QFileDialog::AcceptOpen);
        own->setOption(QFileDialog::DontUseNativeDialog, true);
        dialog = own.get();
    }
    const QStringList savedFilters = dialog->nameFilters();
    const QString savedFilter = dialog->selectedNameFilter();
    const QStringList savedFiles = dialog->selectedFiles();

    dialog->setNameFilter(QString(kHexFilterCaption) + kHexFilterPatterns);
    ShowFilterCaption(*dialog, kHexFilterCaption);
    dialog->setDefaultSuffix("HEX");
    dialog->selectFile("*.HEX");
    dialog->setWindowTitle(title);
    const QString chosen = chooseFile_(*dialog);

    if (!own) {
        dialog->setNameFilters(savedFilters);
        dialog->selectNameFilter(savedFilter);
        if (!savedFiles.isEmpty())
            dialog->selectFile(savedFiles.first());
        dialog->setDefaultSuffix("QVC");
        dialog->setWindowTitle("Parameter laden");
    }
    if (chosen.isEmpty())
        return false;

    // Only the bare name is kept; the chosen folder becomes the working folder,
    // where the catalogue looks for its files from now on as well.
    const QFileInfo info(chosen);
    QDir::setCurrent(info.absolutePath());
    fileName = QFile::encodeName(info.fileName()).toStdString();
    return true;
}

void ProgrammingCommands::Datei2Click() {
    std::string name;
    if (!ChooseFirmwareFile("Programmdatei laden", name))
        return;
    ProgramFileName = name;
    DataFileName.clear();
    RunProgramming();
}

void ProgrammingCommands::Daten1Click() {
    std::string name;
    if (!ChooseFirmwareFile("Datendatei laden", name))
        return;
    DataFileName = name;
    ProgramFileName.clear();
    RunProgramming();
}

void ProgrammingCommands::Bausteinlschen1Click() {
    const MonitorHold hold(form_.linkCommands());
    EnsurePortAccess();
    ProgrammingProgress view(form_);
    qvt::IspLink link(*io_, *counter_, context_.state.LptBase);
    qvt::Programmer(link, context_.state.ChipType, view).EraseWithMessage();
    io_->FlushTrace();
}

// ---- Chip type and edition ---------------------------------------------------

void ProgrammingCommands::Baustein1Click() {
    for (const char* name : kChipDependentItems) form_.action(name)->setEnabled(true);
    QAction* chipItem = form_.action("Baustein1");
    QAction* editionItem = form_.action("SIOTYP1");
    editionItem->setVisible(false);

    qvt::ApplicationState& state = context_.state;
    const std::uint8_t type = context_.record.deviceType;
    if (type == qvt::kDeviceQvt410 || type == qvt::kDeviceQvt0xx) {
        chipItem->setChecked(!chipItem->isChecked());
        if (chipItem->isChecked()) {
            state.ChipType = 8253;
            editionItem->setVisible(true);
            if (type == qvt::kDeviceQvt410) {
                for (const char* name : kNotFor8253) form_.action(name)->setEnabled(false);
            }
        } else {
            state.ChipType = 8252;
        }
    } else {
        chipItem->setChecked(false);
        state.ChipType = 8252;
    }
    form_.RefreshDeviceLabel();
}

void ProgrammingCommands::SIOTYP1Click() {
    qvt::ApplicationState& state = context_.state;
    state.NetworkDevice = state.NetworkDevice == 1 ? 0 : 1;
    const bool network = state.NetworkDevice == 1;
    form_.action("SIOTYP1")->setText(
        QString::fromUtf8(network ? "N&etzwerkgerät" : "&Einzelgerät"));
    for (const char* name : kNotForNetwork) form_.action(name)->setVisible(!network);
    // Rebuilt as a whole, so a label without its chip suffix cannot be garbled.
    form_.RefreshDeviceLabel();
}

void ProgrammingCommands::Schnittstelle1Click() {
    TPLptDlg* dialog = form_.dialogs().PLptDlg;
    dialog->CheckChosenPort();
    dialog->ShowModeless();
}

// ---- QVT470 ------------------------------------------------------------------

void ProgrammingCommands::RunOutsideProgrammer(const char* variant) {
    const MonitorHold hold(form_.linkCommands());
    VariantName = variant;
    // From the folder the program started in, beside QVT410.CFG: never one
    // that a firmware choice made the working folder, where a downloaded
    // XPG.EXE might lie next to the firmware.
    const std::string folder =
        std::filesystem::absolute(context_.state.ConfigFilePath).parent_path().string();
    const auto run = [&folder](const std::string& program,
                               const std::vector<std::string>& arguments) {
        return qvt::RunProgramAndWait(folder, program, arguments);
    };
    const auto show = [](const std::string& text, qvt::Severity severity) {
        qvt::ShowMessage(nullptr, QString::fromStdString(text), severity);
    };
    qvt::RunExternalProgrammer(VariantName, run, show);
}

void ProgrammingCommands::QVT470010UI1Click() {
    RunOutsideProgrammer("QVT470");
}
void ProgrammingCommands::Q470401Click() {
    RunOutsideProgrammer("QVT47040");
}
