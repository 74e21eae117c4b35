#pragma once

#include <QDateTime>
#include <functional>

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
    TRtcDlg(qvt::ParameterRecord& record, qvt::ApplicationState& state, QWidget* parent = nullptr);

    // Where the PC's local date and time come from (tests fix it).
    using Clock = std::function<QDateTime()>;
    void SetClock(Clock clock) { clock_ = std::move(clock); }

    // Sets the controls from the record (taking the PC time first when
    // automatic time is stored) and shows the dialog.
    void Open();

    // With automatic time stored: writes the PC's date, time and weekday into
    // the record and shows them in the edits. Otherwise nothing.
    void GetPCZeit();

    qvt::FieldEdit* RTCMinEd = nullptr;
    qvt::FieldEdit* RTCStdEd = nullptr;
    qvt::FieldEdit* RTCTagEd = nullptr;
    qvt::FieldEdit* RTCMonEd = nullptr;
    qvt::FieldEdit* RTCJarEd = nullptr;
    QCheckBox* RTCCBox = nullptr;   // "Automatisch"
    QRadioButton* RTCRBtn[7] = {};  // RTCRBtn1..RTCRBtn7: Sunday .. Saturday

  public slots:
    void OKBtnClick() override;

  protected:
    bool event(QEvent* event) override;

  private:
    void ShowClockFields();

    qvt::ParameterRecord& record_;
    qvt::ApplicationState& state_;
    Clock clock_;
};
