#pragma once

#include <array>

#include "core/dialog_values.h"
#include "dialogs/ok_cancel_dialog.h"

class QCheckBox;
namespace qvt {
class FieldEdit;
}

namespace qvt::dialogs {

// "Schaltpunkte": threshold, hysteresis, delay, relay contact and activity of
// the device's two switching points.
class SwitchingPointsDialog : public OkCancelDialog {
    Q_OBJECT
  public:
    explicit SwitchingPointsDialog(QWidget* parent = nullptr);

    // The controls as the values say, and the values as the controls stand.
    void ShowValues(const SwitchingPointValues& values);
    SwitchingPointValues Values() const;

  protected:
    void CheckAndCommit() override;

  private:
    // The controls of one switching point inside its group frame.
    struct PointControls {
        FieldEdit* setpoint = nullptr;
        FieldEdit* hysteresis = nullptr;
        FieldEdit* delay = nullptr;
        QCheckBox* relayNC = nullptr;  // "Relais = Öffner"
        QCheckBox* active = nullptr;   // "Aktiv"
    };
    static PointControls BuildPoint(QWidget* box, int n, int firstLabel);

    std::array<PointControls, 2> points_{};  // "Schaltpunkt 1", "Schaltpunkt 2"
};

}  // namespace qvt::dialogs
