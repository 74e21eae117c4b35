#pragma once

#include "dialogs/ok_bottom_dlg.h"

class QGroupBox;
class QRadioButton;
namespace qvt {
class FieldEdit;
}

// "Serielle Schnittstelle QVT410": baud rate, send cycle and sending mode of
// the device's own serial interface. Opening it also aligns the PC link's baud
// rate index with the device's.
class TSioDlg : public TOKBottomDlg {
    Q_OBJECT
  public:
    TSioDlg(qvt::ParameterRecord& record, qvt::ApplicationState& state, QWidget* parent = nullptr);

    // Sets the controls from the record, shows the dialog and sets the PC's
    // baud rate index to the device's baud rate as shown.
    void Open();

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
    qvt::ParameterRecord& record_;
    qvt::ApplicationState& state_;
};
