#pragma once

#include <string>

#include "dialogs/ok_bottom_dlg.h"

class QRadioButton;

// "Programmierschnittstelle": which parallel port carries the programming
// cable. The choice is kept in byte 2 of QVT410.CFG and used from the next
// start on.
class TPLptDlg : public TOKBottomDlg {
    Q_OBJECT
  public:
    TPLptDlg(qvt::ParameterRecord& record, qvt::ApplicationState& state, QWidget* parent = nullptr);

    // Checks the button of the port in use (LPT1 for an unknown index).
    void CheckChosenPort();

    QRadioButton* PLpRBtn1 = nullptr;
    QRadioButton* PLpRBtn2 = nullptr;
    QRadioButton* PLpRBtn3 = nullptr;

  public slots:
    void OKBtnClick() override;

  private:
    qvt::ApplicationState& state_;
    // The configuration file of the program's start folder, even after a
    // firmware file was chosen in another folder.
};
