#pragma once

#include <array>

#include "core/dialog_values.h"
#include "dialogs/ok_cancel_dialog.h"

class QAbstractButton;

namespace qvt::dialogs {

// "Erweiterungskarte": which extension board the device carries.
class ExpansionCardDialog : public OkCancelDialog {
    Q_OBJECT
  public:
    explicit ExpansionCardDialog(QWidget* parent = nullptr);

    // The controls as the values say, and the values as the controls stand.
    void ShowValues(const CardValues& values);
    CardValues Values() const;

  private:
    // By card code: analogue output 0, serial interface and clock 1, none 2.
    std::array<QAbstractButton*, 3> cardButtons_{};
};

}  // namespace qvt::dialogs
