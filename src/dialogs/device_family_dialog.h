#pragma once

#include "core/dialog_values.h"
#include "dialogs/ok_cancel_dialog.h"

class QRadioButton;

namespace qvt::dialogs {

// "Gerätewahl": after "Neu" the user confirms the device family of the new
// parameter set. Offers the two main families; the clock device is chosen
// from the device type menu only.
class DeviceFamilyDialog : public OkCancelDialog {
    Q_OBJECT
  public:
    explicit DeviceFamilyDialog(QWidget* parent = nullptr);

    // The controls as the values say, and the values as the controls stand.
    void ShowValues(const FamilyValues& values);
    FamilyValues Values() const;

  private:
    QRadioButton* mainFamilyButton_ = nullptr;     // QVT410: voltage, current, temperature
    QRadioButton* counterFamilyButton_ = nullptr;  // QVT0xx: frequency, speed, counter, flow
};

}  // namespace qvt::dialogs
