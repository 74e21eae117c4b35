#include "dialogs/da_dlg.h"

#include "core/application_state.h"
#include "core/parameter_record.h"

TDaDlg::TDaDlg(qvt::ParameterRecord& record, qvt::ApplicationState& state, QWidget* parent)
    : TOKBottomDlg(parent), record_(record), state_(state) {
    setObjectName("DaDlg");
    setWindowTitle("Erweiterungskarte");
    AddHelpButton(36);
}
