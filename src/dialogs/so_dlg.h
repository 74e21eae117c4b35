#pragma once

#include "dialogs/ok_bottom_dlg.h"

class QGroupBox;
class QRadioButton;
namespace qvt {
class FieldEdit;
}

// "Sonderfunktionen" of the counter family: encoder pulses per revolution,
// what the display shows and the counting direction.
class TSoDlg : public TOKBottomDlg {
    Q_OBJECT
  public:
    TSoDlg(qvt::ParameterRecord& record, qvt::ApplicationState& state, QWidget* parent = nullptr);

    // Sets the controls from the record and shows the dialog.
    void Open();

    qvt::FieldEdit* SoEdit1 = nullptr;  // "Impulse des Drehgebers"
    QGroupBox* GroupBox1 = nullptr;     // "Anzeige"
    QRadioButton* SoAzRBtn1 = nullptr;  // measured value
    QRadioButton* SoAzRBtn2 = nullptr;  // time of day
    QGroupBox* GroupBox2 = nullptr;     // " Zählrichtung "
    QRadioButton* SoZlRBtn1 = nullptr;  // forwards
    QRadioButton* SoZlRBtn2 = nullptr;  // backwards

  public slots:
    void OKBtnClick() override;

  private:
    qvt::ParameterRecord& record_;
    qvt::ApplicationState& state_;
};
