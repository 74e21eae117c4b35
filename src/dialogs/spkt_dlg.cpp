#include "dialogs/spkt_dlg.h"

#include "core/application_state.h"
#include "core/parameter_record.h"

TSPktDlg::TSPktDlg(qvt::ParameterRecord& record, qvt::ApplicationState& state, QWidget* parent)
    : TOKBottomDlg(parent), record_(record), state_(state) {
    setObjectName("SPktDlg");
    setWindowTitle("Schaltpunkte");
    AddHelpButton(33);
}
