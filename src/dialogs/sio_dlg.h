#pragma once

#include "core/dialog_values.h"
#include "dialogs/ok_bottom_dlg.h"

class QGroupBox;
class QRadioButton;
namespace qvt {
class FieldEdit;
}

// "Serielle Schnittstelle QVT410": baud rate, send cycle and sending mode of
// the device's own serial interface. Whoever opens it also aligns the PC
// link's baud rate index with the device's rate as shown.
class TSioDlg : public TOKBottomDlg {
    Q_OBJECT
  public:
    explicit TSioDlg(QWidget* parent = nullptr);

    // The controls as the values say, and the values as the controls stand.
    void ShowValues(const qvt::SioValues& values);
    qvt::SioValues Values() const;

    QGroupBox* GroupBox1 = nullptr;  // "Baudrate"
    QRadioButton* BdRBtn[7] = {};    // BdRBtn1..BdRBtn7: 150 .. 9600 baud
    QGroupBox* GroupBox2 = nullptr;  // "Timer"
    qvt::FieldEdit* TimEdit = nullptr;
    QGroupBox* GroupBox3 = nullptr;    // "Sekunden"
    QRadioButton* SioRBtn2 = nullptr;  // "RS232-sec."
    QRadioButton* SioRBtn3 = nullptr;  // "Passiv"
    QRadioButton* SioRBtn4 = nullptr;  // "RS232-min."

  public slots:
    void OKBtnClick() override;

  private:
};
