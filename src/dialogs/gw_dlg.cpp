#include "dialogs/gw_dlg.h"

#include "core/application_state.h"
#include "core/parameter_record.h"

TGwDlg::TGwDlg(qvt::ParameterRecord& record, qvt::ApplicationState& state, QWidget* parent)
    : TOKBottomDlg(parent), record_(record), state_(state) {
    setObjectName("GwDlg");
    setWindowTitle("Gerätewahl");
    AddHelpButton(0);
}
