#pragma once

#include "core/dialog_values.h"
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
    // Starts with the total-quantity function off.
    explicit TMbDlg(QWidget* parent = nullptr);

    // The controls as the values say, and the values as the controls stand.
    void ShowValues(const qvt::RangeValues& values);
    qvt::RangeValues Values() const;

    qvt::FieldEdit* MbEdit1 = nullptr;  // measured value, range start
    qvt::FieldEdit* MbEdit2 = nullptr;  // display value, range start
    qvt::FieldEdit* MbEdit3 = nullptr;  // measured value, range end
    qvt::FieldEdit* MbEdit4 = nullptr;  // display value, range end
    QCheckBox* MbCBox = nullptr;        // "Funktion aktivieren (Gesamtmenge)"

  public slots:
    void OKBtnClick() override;

  private:
};
