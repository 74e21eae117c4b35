#include "shell/dialog_set.h"

#include "dialogs/az_dlg.h"
#include "dialogs/da_dlg.h"
#include "dialogs/fuwahl_dlg.h"
#include "dialogs/gw_dlg.h"
#include "dialogs/mb_dlg.h"
#include "dialogs/plpt_dlg.h"
#include "dialogs/psio_dlg.h"
#include "dialogs/pt_dlg.h"
#include "dialogs/rtc_dlg.h"
#include "dialogs/sio_dlg.h"
#include "dialogs/so_dlg.h"
#include "dialogs/spkt_dlg.h"
#include "shell/info_box.h"

namespace qvt {

DialogSet::DialogSet(AppContext& c, QWidget* w) {
    InfoBox = new TInfoBox(w);
    SPktDlg = new TSPktDlg(c.record, c.state, w);
    SioDlg = new TSioDlg(c.record, c.state, w);
    RtcDlg = new TRtcDlg(c.record, c.state, w);
    PSioDlg = new TPSioDlg(c.record, c.state, w);
    PLptDlg = new TPLptDlg(c.record, c.state, w);
    MbDlg = new TMbDlg(c.record, c.state, w);
    PtDlg = new TPtDlg(c.record, c.state, w);
    DaDlg = new TDaDlg(c.record, c.state, w);
    FuWahlDlg = new TFuWahlDlg(c.record, c.state, w);
    SoDlg = new TSoDlg(c.record, c.state, w);
    GwDlg = new TGwDlg(c.record, c.state, w);
    AzDlg = new TAzDlg(c.record, c.state, w);
}

}  // namespace qvt
