#pragma once

#include <array>

#include "core/dialog_values.h"
#include "dialogs/ok_cancel_dialog.h"

class QAbstractButton;

namespace qvt::dialogs {

// "Programmierschnittstelle": which parallel port carries the programming
// cable, used from the next start on (the programming commands keep it in
// QVT410.CFG when "OK" commits it).
class ProgrammingPortDialog : public OkCancelDialog {
    Q_OBJECT
  public:
    explicit ProgrammingPortDialog(QWidget* parent = nullptr);

    // The controls as the values say, and the values as the controls stand.
    void ShowValues(const ParallelPortValues& values);
    ParallelPortValues Values() const;

  private:
    std::array<QAbstractButton*, 3> portButtons_{};  // LPT1 .. LPT3
};

}  // namespace qvt::dialogs
