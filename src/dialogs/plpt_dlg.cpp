#include "dialogs/plpt_dlg.h"

#include "core/application_state.h"
#include "core/parameter_record.h"

TPLptDlg::TPLptDlg(qvt::ParameterRecord& record, qvt::ApplicationState& state, QWidget* parent)
    : TOKBottomDlg(parent), record_(record), state_(state) {
    setObjectName("PLptDlg");
    setWindowTitle("Programmierschnittstelle");
    AddHelpButton(0);
}
