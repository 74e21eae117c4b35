#include "dialogs/psio_dlg.h"

#include "core/application_state.h"
#include "core/parameter_record.h"

TPSioDlg::TPSioDlg(qvt::ParameterRecord& record, qvt::ApplicationState& state, QWidget* parent)
    : TOKBottomDlg(parent), record_(record), state_(state) {
    setObjectName("PSioDlg");
    setWindowTitle("Serielle Schnittstelle PC");
    AddHelpButton(45);
}
