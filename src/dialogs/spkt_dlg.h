#pragma once

#include "core/dialog_values.h"
#include "dialogs/ok_bottom_dlg.h"

class QCheckBox;
class QGroupBox;
namespace qvt {
class FieldEdit;
}

// "Schaltpunkte": threshold, hysteresis, delay, relay contact and activity of
// the device's two switching points.
class TSPktDlg : public TOKBottomDlg {
    Q_OBJECT
  public:
    explicit TSPktDlg(QWidget* parent = nullptr);

    // The controls as the values say, and the values as the controls stand.
    void ShowValues(const qvt::SwitchingPointValues& values);
    qvt::SwitchingPointValues Values() const;

    QGroupBox* GroupBox1 = nullptr;  // "Schaltpunkt 1"
    qvt::FieldEdit* Sp1Edit1 = nullptr;
    qvt::FieldEdit* Sp1Edit2 = nullptr;
    qvt::FieldEdit* Sp1Edit3 = nullptr;
    QCheckBox* Sp1CBox1 = nullptr;
    QCheckBox* Sp1CBox2 = nullptr;
    QGroupBox* GroupBox2 = nullptr;  // "Schaltpunkt 2"
    qvt::FieldEdit* Sp2Edit1 = nullptr;
    qvt::FieldEdit* Sp2Edit2 = nullptr;
    qvt::FieldEdit* Sp2Edit3 = nullptr;
    QCheckBox* Sp2CBox1 = nullptr;
    QCheckBox* Sp2CBox2 = nullptr;

  public slots:
    void OKBtnClick() override;

  private:
};
