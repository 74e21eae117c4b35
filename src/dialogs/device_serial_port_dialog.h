#pragma once

#include <array>

#include "core/dialog_values.h"
#include "dialogs/ok_cancel_dialog.h"

class QAbstractButton;
class QRadioButton;
namespace qvt {
class FieldEdit;
}

namespace qvt::dialogs {

// "Serielle Schnittstelle QVT410": baud rate, send cycle and sending mode of
// the device's own serial interface. Whoever opens it also aligns the PC
// link's baud rate index with the device's rate as shown.
class DeviceSerialPortDialog : public OkCancelDialog {
    Q_OBJECT
  public:
    explicit DeviceSerialPortDialog(QWidget* parent = nullptr);

    // The controls as the values say, and the values as the controls stand.
    void ShowValues(const SioValues& values);
    SioValues Values() const;

  protected:
    void CheckAndCommit() override;

  private:
    std::array<QAbstractButton*, 7> baudButtons_{};  // 150 .. 9600 baud
    FieldEdit* sendCycleEdit_ = nullptr;             // "Sendezyklus"
    QRadioButton* secondsButton_ = nullptr;          // "RS232-sec."
    QRadioButton* passiveButton_ = nullptr;          // "Passiv"
    QRadioButton* minutesButton_ = nullptr;          // "RS232-min."
};

}  // namespace qvt::dialogs
