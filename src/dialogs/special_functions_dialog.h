#pragma once

#include "core/dialog_values.h"
#include "dialogs/ok_cancel_dialog.h"

class QRadioButton;
namespace qvt {
class FieldEdit;
}

namespace qvt::dialogs {

// "Sonderfunktionen" of the counter family: encoder pulses per revolution,
// what the display shows and the counting direction.
class SpecialFunctionsDialog : public OkCancelDialog {
    Q_OBJECT
  public:
    explicit SpecialFunctionsDialog(QWidget* parent = nullptr);

    // The controls as the values say, and the values as the controls stand.
    void ShowValues(const MiscValues& values);
    MiscValues Values() const;

  protected:
    void CheckAndCommit() override;

  private:
    FieldEdit* encoderPulsesEdit_ = nullptr;   // "Impulse des Drehgebers"
    QRadioButton* showValueButton_ = nullptr;  // display: "Messwert"
    QRadioButton* showTimeButton_ = nullptr;   // display: "Uhrzeit"
    QRadioButton* forwardsButton_ = nullptr;   // counting direction
    QRadioButton* backwardsButton_ = nullptr;
};

}  // namespace qvt::dialogs
