#include "shell/programming_commands.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

#include <filesystem>

#include "core/device_family.h"
#include "dialogs/message_box.h"
#include "dialogs/programming_port_dialog.h"
#include "platform/files/config_file_access.h"
#include "platform/process_runner.h"
#include "platform/settings_writer.h"
#include "prog/external_programmer.h"
#include "prog/firmware_catalogue.h"
#include "prog/isp_link.h"
#include "prog/programmer.h"
#include "shell/dialog_set.h"
#include "shell/file_dialog_filters.h"
#include "shell/link_commands.h"
#include "shell/main_menu.h"
#include "shell/parameter_file_view.h"
#include "shell/programming_progress.h"

namespace qvt {
namespace {

QString RunDialog(QFileDialog& dialog) {
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
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

ProgrammingCommands::ProgrammingCommands(QWidget& window, ParameterFileView& deviceLabel,
                                         ProgressBoxView& progress, const MainMenu& menu,
                                         qvt::DialogSet& dialogs, LinkCommands& link,
                                         qvt::AppContext& context)
    : window_(window),
      deviceLabel_(deviceLabel),
      progress_(progress),
      menu_(menu),
      dialogs_(dialogs),
      link_(link),
      context_(context),
      chooseFile_(RunDialog) {
    ConnectMenu();
    // The parallel port chosen with "OK" is used from the next start on; the
    // file beside the program, even after a firmware choice moved the
    // working folder.
    dialogs_.programmingPortDialog->SetCableFinder(qvt::FindCables);
    connect(dialogs_.programmingPortDialog, &qvt::dialogs::OkCancelDialog::Committed, this, [this] {
        qvt::Commit(dialogs_.programmingPortDialog->Values(), context_.state);
        qvt::WriteLptIndex(context_.state.lptIndex, context_.state.configFilePath);
        KeepCable(dialogs_.programmingPortDialog->Cable());
    });
}

ProgrammingCommands::~ProgrammingCommands() {
    Shutdown();
}

void ProgrammingCommands::ConnectMenu() {
    for (const auto& item : menu_.firmware) {
        const qvt::CatalogueEntry* entry = item.row;
        connect(item.action, &QAction::triggered, this,
                [this, entry] { ProgramCatalogueEntry(*entry); });
    }
    for (const auto& item : menu_.outsideProgrammer) {
        const qvt::OutsideProgrammerEntry* entry = item.row;
        connect(item.action, &QAction::triggered, this,
                [this, entry] { RunOutsideProgrammer(entry->variant); });
    }
    const auto on = [this](QAction* item, void (ProgrammingCommands::*handler)()) {
        connect(item, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    };
    on(menu_.programFileItem, &ProgrammingCommands::ProgramFromFile);
    on(menu_.dataFileItem, &ProgrammingCommands::ProgramDataFromFile);
    on(menu_.eraseChipItem, &ProgrammingCommands::EraseChip);
    on(menu_.editionItem, &ProgrammingCommands::ToggleEdition);
    on(menu_.parallelPortItem, &ProgrammingCommands::ChooseParallelPort);
    // The menu has already flipped the check mark; the command flips it itself.
    QAction* chip = menu_.chip8253Item;
    connect(chip, &QAction::triggered, this, [this, chip](bool checked) {
        chip->setChecked(!checked);
        ToggleChipType();
    });
}

// ---- Port --------------------------------------------------------------------

void ProgrammingCommands::OpenPortAccess() {
    chipAccess_ = std::make_unique<qvt::ChipAccess>(context_.settings, "qvt410");
}

// The port opens here rather than at start-up: its base address comes with
// the configuration file, read after the access was decided. A run asked for
// before start-up reaches the port as start-up would.
qvt::ChipAccess& ProgrammingCommands::EnsurePortAccess() {
    if (!chipAccess_)
        OpenPortAccess();
    if (chipAccess_->Open(context_.state.lptBase))
        context_.state.portAccessMode = chipAccess_->access();
    return *chipAccess_;
}

void ProgrammingCommands::WriteIdlePattern() {
    // A USB adapter or GPIO lines are taken for a run only (see
    // ReleaseCableAfterRun); opening them puts them into the idle pattern.
    if (context_.settings.cable.type != qvt::CableType::kParallel)
        return;
    EnsurePortAccess().WriteIdlePattern(context_.state.lptBase);
}

void ProgrammingCommands::Shutdown() {
    if (chipAccess_)
        chipAccess_->Close();
}

qvt::EmulatedIspChip* ProgrammingCommands::emulatedChip() {
    return EnsurePortAccess().emulatedChip();
}

qvt::ParallelAccess ProgrammingCommands::parallelAccess() {
    return EnsurePortAccess().access();
}

// ---- Programming -------------------------------------------------------------

void ProgrammingCommands::RunProgramming(const std::string& programFile,
                                         const std::string& dataFile) {
    programFile_ = programFile;
    dataFile_ = dataFile;
    const MonitorHold hold(link_);
    qvt::ChipAccess& access = EnsurePortAccess();
    ProgrammingProgress view(progress_);
    qvt::IspLink link = access.LinkAt(context_.state.lptBase);
    qvt::Programmer(link, context_.state.chip(), view).RunProgramming(programFile_, dataFile_);
    access.FlushTrace();
    ReleaseCableAfterRun();
}

void ProgrammingCommands::ProgramCatalogueEntry(const qvt::CatalogueEntry& entry) {
    const qvt::FirmwareFiles files =
        qvt::FilesFor(entry, context_.state.chip(), context_.state.networkDevice);
    RunProgramming(files.program, files.data);
}

bool ProgrammingCommands::ChooseFirmwareFile(const QString& title, std::string& fileName) {
    QFileDialog dialog(&window_);
    dialog.setObjectName("FirmwareDialog");
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    // The pattern behind the caption takes the extension in any letter case.
    SetCaptionedNameFilters(dialog, {"Intel Hex Dateien    *.HEX"}, {"(*.HEX *.[Hh][Ee][Xx])"});
    dialog.setDefaultSuffix("HEX");
    dialog.selectFile("*.HEX");
    dialog.setWindowTitle(title);
    const QString chosen = chooseFile_(dialog);
    if (chosen.isEmpty())
        return false;

    // Only the bare name is kept; the chosen folder becomes the working folder,
    // where the catalogue looks for its files from now on as well.
    const QFileInfo info(chosen);
    QDir::setCurrent(info.absolutePath());
    fileName = QFile::encodeName(info.fileName()).toStdString();
    return true;
}

void ProgrammingCommands::ProgramFromFile() {
    std::string name;
    if (!ChooseFirmwareFile("Programmdatei laden", name))
        return;
    RunProgramming(name, {});
}

void ProgrammingCommands::ProgramDataFromFile() {
    std::string name;
    if (!ChooseFirmwareFile("Datendatei laden", name))
        return;
    RunProgramming({}, name);
}

void ProgrammingCommands::EraseChip() {
    const MonitorHold hold(link_);
    qvt::ChipAccess& access = EnsurePortAccess();
    ProgrammingProgress view(progress_);
    qvt::IspLink link = access.LinkAt(context_.state.lptBase);
    qvt::Programmer(link, context_.state.chip(), view).EraseWithMessage();
    access.FlushTrace();
    ReleaseCableAfterRun();
}

// ---- Chip type and edition ---------------------------------------------------

void ProgrammingCommands::ToggleChipType() {
    QAction* chipItem = menu_.chip8253Item;
    QAction* editionItem = menu_.editionItem;
    editionItem->setVisible(false);

    qvt::ApplicationState& state = context_.state;
    const std::uint8_t type = context_.record.deviceType;
    // The clock device, like a type unknown here, always runs an 8252 image.
    if (type == qvt::kDeviceQvt410 || qvt::IsCounterFamily(type)) {
        chipItem->setChecked(!chipItem->isChecked());
        state.SetChip(chipItem->isChecked() ? qvt::Chip::k8253 : qvt::Chip::k8252);
        editionItem->setVisible(chipItem->isChecked());
    } else {
        chipItem->setChecked(false);
        state.SetChip(qvt::Chip::k8252);
    }
    for (const auto& [entry, item] : menu_.firmware)
        item->setEnabled(qvt::EnabledAfterChipChoice(entry->offer, type, state.chip()));
    for (const auto& [submenu, item] : menu_.submenus)
        item->setEnabled(qvt::EnabledAfterChipChoice(submenu->offer, type, state.chip()));
    deviceLabel_.RefreshDeviceLabel();
}

void ProgrammingCommands::ToggleEdition() {
    qvt::ApplicationState& state = context_.state;
    state.networkDevice = state.networkDevice == 1 ? 0 : 1;
    const bool network = state.networkDevice == 1;
    menu_.editionItem->setText(QString::fromUtf8(network ? "N&etzwerkgerät" : "&Einzelgerät"));
    for (const auto& [entry, item] : menu_.firmware)
        item->setVisible(qvt::ShownFor(entry->offer, state.networkDevice));
    // Rebuilt as a whole, so a label without its chip suffix cannot be garbled.
    deviceLabel_.RefreshDeviceLabel();
}

void ProgrammingCommands::ChooseParallelPort() {
    qvt::dialogs::ProgrammingPortDialog* dialog = dialogs_.programmingPortDialog;
    dialog->ShowValues(qvt::ParallelPortValuesOf(context_.state));
    dialog->ShowCable(context_.settings.cable);
    dialog->ShowModeless();
}

// A changed cable goes into the running settings and into [cable] of the
// QVT410.INI beside QVT410.CFG; an unchanged one leaves the file alone, so
// OK on the port choice alone writes no section the user never had.
// A USB adapter or GPIO lines are held for a run only: between runs another
// station's run, or the serial port on the same USB adapter, may have them,
// and an adapter plugged in after a failed run is found by the next.
void ProgrammingCommands::ReleaseCableAfterRun() {
    if (context_.settings.cable.type == qvt::CableType::kParallel || !chipAccess_)
        return;
    chipAccess_->Close();
    chipAccess_.reset();
}

void ProgrammingCommands::KeepCable(const qvt::CableChoice& cable) {
    if (cable == context_.settings.cable)
        return;
    context_.settings.cable = cable;
    // The next run opens the chosen cable; the one held until now is let go.
    if (chipAccess_) {
        chipAccess_->Close();
        chipAccess_.reset();
    }
    const std::string failed =
        qvt::WriteCable(qvt::PlatformSettingsPathBeside(context_.state.configFilePath), cable);
    // Not written: the choice holds for this run, and the user is told.
    if (!failed.empty())
        qvt::ShowMessage(&window_, QString::fromStdString(failed), qvt::Severity::kError);
}

// ---- QVT470 ------------------------------------------------------------------

void ProgrammingCommands::RunOutsideProgrammer(const char* variant) {
    const MonitorHold hold(link_);
    // From the folder the program started in, beside QVT410.CFG: never one
    // that a firmware choice made the working folder, where a downloaded
    // XPG.EXE might lie next to the firmware.
    const std::string folder =
        std::filesystem::absolute(context_.state.configFilePath).parent_path().string();
    const auto run = [&folder](const std::string& program,
                               const std::vector<std::string>& arguments) {
        return qvt::RunProgramAndWait(folder, program, arguments);
    };
    const auto show = [](const std::string& text, qvt::Severity severity) {
        qvt::ShowMessage(nullptr, QString::fromStdString(text), severity);
    };
    qvt::RunExternalProgrammer(variant, run, show);
}

}  // namespace qvt
