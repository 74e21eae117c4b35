#pragma once

#include "core/dialog_values.h"
#include "dialogs/ok_cancel_dialog.h"

class QCheckBox;
namespace qvt {
class FieldEdit;
}

namespace qvt::dialogs {

// "Messbereich": two points of the range, each a measured value and the
// display value it shall show, and the total-quantity function.
class MeasuringRangeDialog : public OkCancelDialog {
    Q_OBJECT
  public:
    // Starts with the total-quantity function off.
    explicit MeasuringRangeDialog(QWidget* parent = nullptr);

    // The controls as the values say, and the values as the controls stand.
    void ShowValues(const RangeValues& values);
    RangeValues Values() const;

  protected:
    void CheckAndCommit() override;

  private:
    FieldEdit* measStartEdit_ = nullptr;
    FieldEdit* displayStartEdit_ = nullptr;
    FieldEdit* measEndEdit_ = nullptr;
    FieldEdit* displayEndEdit_ = nullptr;
    QCheckBox* totalQuantityBox_ = nullptr;  // "Funktion aktivieren (Gesamtmenge)"
};

}  // namespace qvt::dialogs
