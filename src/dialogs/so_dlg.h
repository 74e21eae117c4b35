#pragma once

#include "core/dialog_values.h"
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
    explicit TSoDlg(QWidget* parent = nullptr);

    // The controls as the values say, and the values as the controls stand.
    void ShowValues(const qvt::MiscValues& values);
    qvt::MiscValues Values() const;

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
};
