#include "dialogs/rtc_dlg.h"

#include "core/application_state.h"
#include "core/parameter_record.h"

TRtcDlg::TRtcDlg(qvt::ParameterRecord& record, qvt::ApplicationState& state, QWidget* parent)
    : TOKBottomDlg(parent), record_(record), state_(state) {
    setObjectName("RtcDlg");
    setWindowTitle("Echtzeituhr - RTC");
    AddHelpButton(35);
}
