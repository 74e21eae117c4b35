#include "dialogs/so_dlg.h"

#include "core/application_state.h"
#include "core/parameter_record.h"

TSoDlg::TSoDlg(qvt::ParameterRecord& record, qvt::ApplicationState& state, QWidget* parent)
    : TOKBottomDlg(parent), record_(record), state_(state) {
    setObjectName("SoDlg");
    setWindowTitle("Sonderfunktionen");
    AddHelpButton(37);
}
