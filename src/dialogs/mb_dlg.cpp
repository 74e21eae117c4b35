#include "dialogs/mb_dlg.h"

#include "core/application_state.h"
#include "core/parameter_record.h"

TMbDlg::TMbDlg(qvt::ParameterRecord& record, qvt::ApplicationState& state, QWidget* parent)
    : TOKBottomDlg(parent), record_(record), state_(state) {
    setObjectName("MbDlg");
    setWindowTitle("Messbereich");
    AddHelpButton(31);
}
