#include "dialogs/sio_dlg.h"

#include "core/application_state.h"
#include "core/parameter_record.h"

TSioDlg::TSioDlg(qvt::ParameterRecord& record, qvt::ApplicationState& state, QWidget* parent)
    : TOKBottomDlg(parent), record_(record), state_(state) {
    setObjectName("SioDlg");
    setWindowTitle("Serielle Schnittstelle QVT410");
    AddHelpButton(34);
}
