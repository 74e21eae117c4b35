#pragma once

#include <array>

#include "core/dialog_values.h"
#include "dialogs/ok_cancel_dialog.h"

class QAbstractButton;

namespace qvt::dialogs {

// "Pt-Funktionswahl": type and temperature range of a resistance thermometer
// input, kept as the function code 0..3.
class Pt100Dialog : public OkCancelDialog {
    Q_OBJECT
  public:
    explicit Pt100Dialog(QWidget* parent = nullptr);

    // The controls as the values say, and the values as the controls stand.
    void ShowValues(const SensorValues& values);
    SensorValues Values() const;

  private:
    // By function code: Pt100 range 1 and 2, Pt1000 range 1 and 2.
    std::array<QAbstractButton*, 4> sensorButtons_{};
};

}  // namespace qvt::dialogs
