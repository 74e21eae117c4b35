#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

#include "core/saved_parameter_set.h"
#include "shell/app_context.h"
#include "shell/parameter_dialogs.h"
#include "shell/parameter_file_dialog.h"
#include "shell/save_question.h"

class QWidget;

namespace qvt {

class ParameterFileView;
struct DialogSet;
struct MainMenu;

// The file commands ("&Neu", "&Laden...", "&Speichern", "S&peichern unter...")
// and the openers of the parameter dialogs. Connects itself to the menu's items.
class ParameterCommands : public QObject {
    Q_OBJECT
  public:
    // window: the parent of the file dialogs and message boxes.
    ParameterCommands(QWidget& window, ParameterFileView& view, const MainMenu& menu,
                      DialogSet& dialogs, AppContext& context);

    // Asks the user for a parameter file name; an empty text means cancelled.
    // The default runs the file dialog; tests answer without one.
    using FileNameProvider = std::function<QString(ParameterFileDialog kind)>;
    void SetFileNameProvider(FileNameProvider provider) { askFileName_ = std::move(provider); }

    // Asks whether to save the edits to the named file before they are
    // discarded. The default shows the question; tests answer without one.
    using SaveQuestion = std::function<SaveAnswer(const QString& fileName)>;
    void SetSaveQuestion(SaveQuestion question) { askToSave_ = std::move(question); }

    // Before an action that discards the parameter set ("Neu", "Laden...",
    // the exit): true when it may go on. Unsaved edits are offered for saving
    // first; cancelling the question, the file name or a failed save stops it.
    bool MayDiscardChanges();

    // "&Datei" menu.
    void NewParameterSet();
    // "&Laden...": asks for the file, then loads it.
    void ChooseAndLoadFile();
    // The second half of "Laden...", once the file is chosen (also the file
    // named on the command line): loads it or says why not.
    void LoadFile(const QString& chosen);
    void Save();
    void SaveAs();

    // The parameter dialogs' filling and committing (tests fix its PC clock).
    ParameterDialogs& parameterDialogs() { return parameterDialogs_; }

    // "&Parameter" menu: each fills its dialog from the record and shows it.
    void OpenFunctionChoice();
    void OpenDisplay();
    void OpenSwitchingPoints();
    void OpenDeviceSerial();
    void OpenClock();
    void OpenExpansionCard();
    void OpenSpecialFunctions();

  private:
    bool SaveParameterSet();
    bool HasFileName() const;
    // "OK" of the device type dialog: after "Neu" the chosen family belongs
    // to the fresh set, so an untouched new set stays unchanged.
    void FamilyChosen();
    void Remember();

    QWidget& window_;
    ParameterFileView& view_;
    DialogSet& dialogs_;
    AppContext& context_;
    FileNameProvider askFileName_;
    SaveQuestion askToSave_;
    SavedParameterSet saved_;
    // The device type of a set that "Neu" made and whose family is still to
    // be confirmed; empty otherwise.
    std::optional<std::uint8_t> newSetType_;
    ParameterDialogs parameterDialogs_;
};

}  // namespace qvt
