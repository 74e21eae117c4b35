#pragma once

#include "dialogs/ok_bottom_dlg.h"

class QCheckBox;
namespace qvt {
class FieldEdit;
}

// "Messbereich": two points of the range, each a measured value and the
// display value it shall show, and the total-quantity function.
class TMbDlg : public TOKBottomDlg {
    Q_OBJECT
  public:
    // Starts with the total-quantity function off, and sets the function code to 0.
    TMbDlg(qvt::ParameterRecord& record, qvt::ApplicationState& state, QWidget* parent = nullptr);

    // Sets the controls from the record (the function code 1 checks the box).
    void FillFromRecord();

    qvt::FieldEdit* MbEdit1 = nullptr;  // measured value, range start
    qvt::FieldEdit* MbEdit2 = nullptr;  // display value, range start
    qvt::FieldEdit* MbEdit3 = nullptr;  // measured value, range end
    qvt::FieldEdit* MbEdit4 = nullptr;  // display value, range end
    QCheckBox* MbCBox = nullptr;        // "Funktion aktivieren (Gesamtmenge)"

  public slots:
    void OKBtnClick() override;

  private:
    qvt::ParameterRecord& record_;
    qvt::ApplicationState& state_;
};
