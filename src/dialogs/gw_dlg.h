#pragma once

#include "core/dialog_values.h"
#include "dialogs/ok_bottom_dlg.h"

class QRadioButton;

// "Gerätewahl": after "Neu" the user confirms the device family of the new
// parameter set. Offers the two main families; the clock device is chosen
// from the device type menu only.
class TGwDlg : public TOKBottomDlg {
    Q_OBJECT
  public:
    explicit TGwDlg(QWidget* parent = nullptr);

    // The controls as the values say, and the values as the controls stand.
    void ShowValues(const qvt::FamilyValues& values);
    qvt::FamilyValues Values() const;

    QRadioButton* GwRButton1 = nullptr;  // QVT410 family
    QRadioButton* GwRButton2 = nullptr;  // QVT0xx family
};
