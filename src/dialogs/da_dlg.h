#pragma once

#include "core/dialog_values.h"
#include "dialogs/ok_bottom_dlg.h"

class QRadioButton;

// "Erweiterungskarte": which extension board the device carries.
class TDaDlg : public TOKBottomDlg {
    Q_OBJECT
  public:
    explicit TDaDlg(QWidget* parent = nullptr);

    // The controls as the values say, and the values as the controls stand.
    void ShowValues(const qvt::CardValues& values);
    qvt::CardValues Values() const;

    QRadioButton* DaRBtn1 = nullptr;  // analogue output, 0
    QRadioButton* DaRBtn2 = nullptr;  // serial interface and clock, 1
    QRadioButton* DaRBtn3 = nullptr;  // none, 2

  private:
};
