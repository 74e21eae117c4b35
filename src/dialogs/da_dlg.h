#pragma once

#include "dialogs/ok_bottom_dlg.h"

class QRadioButton;

// "Erweiterungskarte": which extension board the device carries.
class TDaDlg : public TOKBottomDlg {
    Q_OBJECT
  public:
    TDaDlg(qvt::ParameterRecord& record, qvt::ApplicationState& state, QWidget* parent = nullptr);

    // Checks the button of the stored card type (unknown types: the first) and shows the dialog.
    void Open();

    QRadioButton* DaRBtn1 = nullptr;  // analogue output, 0
    QRadioButton* DaRBtn2 = nullptr;  // serial interface and clock, 1
    QRadioButton* DaRBtn3 = nullptr;  // none, 2

  public slots:
    void OKBtnClick() override;

  private:
    qvt::ParameterRecord& record_;
    qvt::ApplicationState& state_;
};
