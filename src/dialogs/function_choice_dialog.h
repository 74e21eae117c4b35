#pragma once

#include "dialogs/ok_cancel_dialog.h"

class QRadioButton;

namespace qvt::dialogs {

class MeasuringRangeDialog;
class Pt100Dialog;

// "Funktionswahl": chooses between the measuring range dialog and the sensor
// dialog for the devices that have both. Holds no record field; its choice
// stays as the user left it for the whole run.
class FunctionChoiceDialog : public OkCancelDialog {
    Q_OBJECT
  public:
    explicit FunctionChoiceDialog(QWidget* parent = nullptr);

    // The two dialogs it leads to; both are filled by the menu command before
    // this dialog is shown.
    void SetTargets(MeasuringRangeDialog* rangeDialog, Pt100Dialog* pt100Dialog);

    // The caption of the choice that leads to the measuring range dialog:
    // "Sondermessung", or "Anzeigezeiten" for the clock device.
    void SetRangeChoiceCaption(const QString& caption);

  protected:
    // Opens the chosen dialog.
    void CheckAndCommit() override;

  private:
    QRadioButton* rangeButton_ = nullptr;  // "Sondermessung" / "Anzeigezeiten"
    QRadioButton* pt100Button_ = nullptr;  // "Temperaturbereich Pt100x"
    MeasuringRangeDialog* rangeDialog_ = nullptr;
    Pt100Dialog* pt100Dialog_ = nullptr;
};

}  // namespace qvt::dialogs
