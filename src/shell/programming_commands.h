#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "compose/chip_access.h"
#include "shell/app_context.h"

class QFileDialog;
class QWidget;

namespace qvt {

class LinkCommands;
class ParameterFileView;
class ProgressBoxView;
struct CatalogueEntry;
struct DialogSet;
struct MainMenu;

// The "P&rogrammieren" menu: parallel port access, programming runs, catalogue,
// outside programmer. Connects itself to the menu's items; runs show their
// progress in the progress box and keep the telegram monitor still.
class ProgrammingCommands : public QObject {
    Q_OBJECT
  public:
    // window: the parent of the firmware file dialog; deviceLabel: rebuilt
    // when the chip type or edition changes.
    ProgrammingCommands(QWidget& window, ParameterFileView& deviceLabel, ProgressBoxView& progress,
                        const MainMenu& menu, DialogSet& dialogs, LinkCommands& link,
                        AppContext& context);
    ~ProgrammingCommands() override;

    // Start-up: decides how the parallel port is reached. The port itself is
    // opened at its first use, when its base address is known.
    void OpenPortAccess();
    // Puts the cable into its idle pattern (0x08 on the data register).
    void WriteIdlePattern();
    // Exit: releases the parallel port.
    void Shutdown();

    // A catalogue variant: programs the files of the chip type and edition.
    void ProgramCatalogueEntry(const CatalogueEntry& entry);
    // "&Programm..." and "&Daten...": a freely chosen file, programmed alone.
    void ProgramFromFile();
    void ProgramDataFromFile();
    // "&Baustein löschen".
    void EraseChip();
    // "Baustein 825&3": switches between the 8253 and the 8252 where the
    // device type allows an 8253, and offers the variants of the chip.
    void ToggleChipType();
    // "&Einzelgerät" / "N&etzwerkgerät": the firmware edition of the 8253.
    void ToggleEdition();
    // "Sch&nittstelle...": the dialog of the parallel port.
    void ChooseParallelPort();
    // The outside programmer for a variant of the QVT470 family.
    void RunOutsideProgrammer(const char* variant);

    // Programs the program file and the data file (empty: no such file).
    void RunProgramming(const std::string& programFile, const std::string& dataFile);
    // The files of the last run.
    const std::string& programFile() const { return programFile_; }
    const std::string& dataFile() const { return dataFile_; }

    // The firmware file dialog; the default runs it modally. Returns the
    // chosen path, or an empty text when cancelled. Tests answer instead.
    using FileChooser = std::function<QString(QFileDialog& dialog)>;
    void SetFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }

    // The emulated chip when the port is emulated (for tests and tools).
    qvt::EmulatedIspChip* emulatedChip();
    qvt::ParallelAccess parallelAccess();

  private:
    void ConnectMenu();
    void KeepCable(const qvt::CableChoice& cable);
    void ReleaseCableAfterRun();
    qvt::ChipAccess& EnsurePortAccess();
    bool ChooseFirmwareFile(const QString& title, std::string& fileName);

    QWidget& window_;
    ParameterFileView& deviceLabel_;
    ProgressBoxView& progress_;
    const MainMenu& menu_;
    DialogSet& dialogs_;
    LinkCommands& link_;
    AppContext& context_;
    FileChooser chooseFile_;
    std::string programFile_;
    std::string dataFile_;
    // From start-up on; the port itself opens at its first use.
    std::unique_ptr<qvt::ChipAccess> chipAccess_;
};

}  // namespace qvt
