#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "compose/chip_access.h"
#include "shell/app_context.h"

class LinkCommands;
class ParameterFileView;
class ProgressBoxView;
class QFileDialog;
class QWidget;
struct MainMenu;

namespace qvt {
struct CatalogueEntry;
struct DialogSet;
}  // namespace qvt

// The Programmieren menu: parallel port access, programming runs, catalogue,
// outside programmer. Connects itself to the menu's items; runs show their
// progress in the progress box and keep the telegram monitor still.
class ProgrammingCommands : public QObject {
    Q_OBJECT
  public:
    // window: the parent of the firmware file dialog; deviceLabel: rebuilt
    // when the chip type or edition changes.
    ProgrammingCommands(QWidget& window, ParameterFileView& deviceLabel, ProgressBoxView& progress,
                        const MainMenu& menu, qvt::DialogSet& dialogs, LinkCommands& link,
                        qvt::AppContext& context);
    ~ProgrammingCommands() override;

    // Start-up: decides how the parallel port is reached. The port itself is
    // opened at its first use, when its base address is known.
    void OpenPortAccess();
    // Puts the cable into its idle pattern (0x08 on the data register).
    void WriteIdlePattern();
    // Exit: releases the parallel port.
    void Shutdown();

    // Menu handlers.
    void CatalogueEntryClick(const qvt::CatalogueEntry& entry);
    void Datei2Click();
    void Daten1Click();
    void Bausteinlschen1Click();
    void Baustein1Click();
    void SIOTYP1Click();
    void Schnittstelle1Click();
    // The outside programmer for a variant of the QVT470 family.
    void RunOutsideProgrammer(const char* variant);

    // Programs ProgramFileName and DataFileName (empty: no such file).
    void RunProgramming();

    std::string ProgramFileName;
    std::string DataFileName;
    std::string VariantName;  // for XPG.EXE

    // The firmware file dialog; the default runs it modally. Returns the
    // chosen path, or an empty text when cancelled. Tests answer instead.
    using FileChooser = std::function<QString(QFileDialog& dialog)>;
    void SetFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }

    // The emulated chip when the port is emulated (for tests and tools).
    qvt::EmulatedIspChip* emulatedChip();
    qvt::ParallelAccess parallelAccess();

  private:
    void ConnectMenu();
    qvt::ChipAccess& EnsurePortAccess();
    bool ChooseFirmwareFile(const QString& title, std::string& fileName);

    QWidget& window_;
    ParameterFileView& deviceLabel_;
    ProgressBoxView& progress_;
    const MainMenu& menu_;
    qvt::DialogSet& dialogs_;
    LinkCommands& link_;
    qvt::AppContext& context_;
    FileChooser chooseFile_;
    // From start-up on; the port itself opens at its first use.
    std::unique_ptr<qvt::ChipAccess> chipAccess_;
};
