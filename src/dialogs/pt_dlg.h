#pragma once

#include "dialogs/ok_bottom_dlg.h"

class QRadioButton;

// "Pt-Funktionswahl": type and temperature range of a resistance thermometer
// input, kept as the function code 0..3.
class TPtDlg : public TOKBottomDlg {
    Q_OBJECT
  public:
    TPtDlg(qvt::ParameterRecord& record, qvt::ApplicationState& state, QWidget* parent = nullptr);

    // Checks the button of the record's function code (any other code: the first).
    void FillFromRecord();

    QRadioButton* PtBtn1 = nullptr;
    QRadioButton* PtBtn2 = nullptr;
    QRadioButton* PtBtn3 = nullptr;
    QRadioButton* PtBtn4 = nullptr;

  public slots:
    void OKBtnClick() override;

  private:
    qvt::ParameterRecord& record_;
    qvt::ApplicationState& state_;
};
