#include "dialogs/az_dlg.h"

#include "core/application_state.h"
#include "core/parameter_record.h"

TAzDlg::TAzDlg(qvt::ParameterRecord& record, qvt::ApplicationState& state, QWidget* parent)
    : TOKBottomDlg(parent), record_(record), state_(state) {
    setObjectName("AzDlg");
    setWindowTitle("Anzeige");
    AddHelpButton(32);
}
