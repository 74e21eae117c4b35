#pragma once

#include <QObject>
#include <QString>
#include <functional>

#include "shell/app_context.h"
#include "shell/parameter_file_dialog.h"

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

    TForm1& form_;
    qvt::AppContext& context_;
    FileNameProvider askFileName_;
};
