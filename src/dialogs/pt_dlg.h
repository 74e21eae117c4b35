#pragma once

#include "core/dialog_values.h"
#include "dialogs/ok_bottom_dlg.h"

class QRadioButton;

// "Pt-Funktionswahl": type and temperature range of a resistance thermometer
// input, kept as the function code 0..3.
class TPtDlg : public TOKBottomDlg {
    Q_OBJECT
  public:
    explicit TPtDlg(QWidget* parent = nullptr);

    // The controls as the values say, and the values as the controls stand.
    void ShowValues(const qvt::SensorValues& values);
    qvt::SensorValues Values() const;

    QRadioButton* PtBtn1 = nullptr;
    QRadioButton* PtBtn2 = nullptr;
    QRadioButton* PtBtn3 = nullptr;
    QRadioButton* PtBtn4 = nullptr;

  private:
};
