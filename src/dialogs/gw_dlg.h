#pragma once

#include "dialogs/ok_bottom_dlg.h"

class QLabel;
class QRadioButton;

// "Gerätewahl": after "Neu" the user confirms the device family of the new
// parameter set. Offers the two main families; the clock device is chosen
// from the device type menu only.
class TGwDlg : public TOKBottomDlg {
    Q_OBJECT
  public:
    TGwDlg(qvt::ParameterRecord& record, qvt::ApplicationState& state, QWidget* parent = nullptr);

    // The main window's device label, which OK sets to the bare family text.
    void SetDeviceLabel(QLabel* label) { deviceLabel_ = label; }

    // Preselects the button of the current device type and shows the dialog.
    void Open();

    QRadioButton* GwRButton1 = nullptr;  // QVT410 family
    QRadioButton* GwRButton2 = nullptr;  // QVT0xx family

  public slots:
    void OKBtnClick() override;

  private:
    qvt::ParameterRecord& record_;
    qvt::ApplicationState& state_;
    QLabel* deviceLabel_ = nullptr;
};
