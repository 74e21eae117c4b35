#pragma once

#include <array>

#include "core/dialog_values.h"
#include "dialogs/ok_cancel_dialog.h"

class QAbstractButton;
class QCheckBox;
namespace qvt {
class FieldEdit;
}

namespace qvt::dialogs {

// "Echtzeituhr - RTC": date, time and weekday for the device clock, typed in
// or, with "Automatisch", taken from the PC whenever the dialog opens or
// becomes the active window.
class RealTimeClockDialog : public OkCancelDialog {
    Q_OBJECT
  public:
    explicit RealTimeClockDialog(QWidget* parent = nullptr);

    // The controls as the values say, and the values as the controls stand.
    void ShowValues(const ClockValues& values);
    ClockValues Values() const;

    // Date and time only: a refresh from the PC clock leaves the weekday
    // buttons and "Automatisch" as they stand.
    void ShowClockFields(const ClockValues& values);

  signals:
    // The dialog has become the active window: with automatic time the
    // clock fields are refreshed from the PC.
    void Activated();

  protected:
    // Commits only a date and time that exist.
    void CheckAndCommit() override;
    bool event(QEvent* event) override;

  private:
    FieldEdit* minuteEdit_ = nullptr;
    FieldEdit* hourEdit_ = nullptr;
    FieldEdit* dayEdit_ = nullptr;
    FieldEdit* monthEdit_ = nullptr;
    FieldEdit* yearEdit_ = nullptr;
    QCheckBox* automaticBox_ = nullptr;                 // "Automatisch"
    std::array<QAbstractButton*, 7> weekdayButtons_{};  // Sunday .. Saturday
};

}  // namespace qvt::dialogs
