#pragma once

#include "core/dialog_values.h"
#include "dialogs/ok_bottom_dlg.h"

class QCheckBox;
class QRadioButton;
namespace qvt {
class FieldEdit;
}

// "Echtzeituhr - RTC": date, time and weekday for the device clock, typed in
// or, with "Automatisch", taken from the PC whenever the dialog opens or
// becomes the active window.
class TRtcDlg : public TOKBottomDlg {
    Q_OBJECT
  public:
    explicit TRtcDlg(QWidget* parent = nullptr);

    // The controls as the values say, and the values as the controls stand.
    void ShowValues(const qvt::ClockValues& values);
    qvt::ClockValues Values() const;

    // Date and time only: a refresh from the PC clock leaves the weekday
    // buttons and "Automatisch" as they stand.
    void ShowClockFields(const qvt::ClockValues& values);

    qvt::FieldEdit* RTCMinEd = nullptr;
    qvt::FieldEdit* RTCStdEd = nullptr;
    qvt::FieldEdit* RTCTagEd = nullptr;
    qvt::FieldEdit* RTCMonEd = nullptr;
    qvt::FieldEdit* RTCJarEd = nullptr;
    QCheckBox* RTCCBox = nullptr;   // "Automatisch"
    QRadioButton* RTCRBtn[7] = {};  // RTCRBtn1..RTCRBtn7: Sunday .. Saturday

  public slots:
    // Commits only a date and time that exist.
    void OKBtnClick() override;

  signals:
    // The dialog has become the active window: with automatic time the
    // clock fields are refreshed from the PC.
    void Activated();

  protected:
    bool event(QEvent* event) override;
};
