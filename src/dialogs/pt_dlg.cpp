#include "dialogs/pt_dlg.h"

#include "core/application_state.h"
#include "core/parameter_record.h"

TPtDlg::TPtDlg(qvt::ParameterRecord& record, qvt::ApplicationState& state, QWidget* parent)
    : TOKBottomDlg(parent), record_(record), state_(state) {
    setObjectName("PtDlg");
    setWindowTitle("Pt-Funktionswahl");
    AddHelpButton(31);
}
