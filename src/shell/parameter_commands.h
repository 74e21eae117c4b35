#pragma once

#include <QObject>
#include <QString>
#include <functional>

#include "core/saved_parameter_set.h"
#include "shell/app_context.h"
#include "shell/parameter_file_dialog.h"
#include "shell/save_question.h"

class TForm1;

// The file commands (Neu, Laden, Speichern, Speichern unter) and the openers of the parameter
// dialogs. Connects itself to the main window's menu items by name.
class ParameterCommands : public QObject {
    Q_OBJECT
  public:
    ParameterCommands(TForm1& form, qvt::AppContext& context);

    // Asks the user for a parameter file name; an empty text means cancelled.
    // The default runs the file dialog; tests answer without one.
    using FileNameProvider = std::function<QString(qvt::ParameterFileDialog kind)>;
    void SetFileNameProvider(FileNameProvider provider) { askFileName_ = std::move(provider); }

    // Asks whether to save the edits to the named file before they are
    // discarded. The default shows the question; tests answer without one.
    using SaveQuestion = std::function<qvt::SaveAnswer(const QString& fileName)>;
    void SetSaveQuestion(SaveQuestion question) { askToSave_ = std::move(question); }

    // Before an action that discards the parameter set ("Neu", "Laden...",
    // the exit): true when it may go on. Unsaved edits are offered for saving
    // first; cancelling the question, the file name or a failed save stops it.
    bool MayDiscardChanges();

    // "Datei" menu.
    void Neu1Click();
    void Laden1Click();
    void Speichern1Click();
    void Speichernunter1Click();

    // "Parameter" menu: each fills its dialog from the record and shows it.
    void Funktionswahl1Click();
    void Anzeige1Click();
    void Schaltpunkte1Click();
    void SIO1Click();
    void RTC1Click();
    void AnalogausgangDAC1Click();
    void Sonstiges1Click();

  private:
    // The dialogs exist only after the commands; their links to each other and
    // to the main window are made when first needed.
    void LinkDialogs();
    void EnableParameterSetCommands();
    bool SaveParameterSet();
    bool HasFileName() const;
    // A dialog left open must not write the values of the set it was filled
    // with over the one that replaced it.
    void RefillOpenDialogs();

    TForm1& form_;
    qvt::AppContext& context_;
    FileNameProvider askFileName_;
    SaveQuestion askToSave_;
    qvt::SavedParameterSet saved_;
};
