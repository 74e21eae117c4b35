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
    InfoBox = new qvt::InfoBox(w);
    SPktDlg = new TSPktDlg(w);
    SioDlg = new TSioDlg(w);
    RtcDlg = new TRtcDlg(w);
    PSioDlg = new TPSioDlg(w);
    PLptDlg = new TPLptDlg(w);
    MbDlg = new TMbDlg(w);
    // The range dialog starts the function code defined, before anything reads it.
    c.record.funcCode = 0;
    PtDlg = new TPtDlg(w);
    DaDlg = new TDaDlg(w);
    FuWahlDlg = new TFuWahlDlg(w);
    SoDlg = new TSoDlg(w);
    GwDlg = new TGwDlg(w);
    AzDlg = new TAzDlg(w);
    // "OK" checks the texts for the device type of that moment.
    for (TOKBottomDlg* dialog :
         std::initializer_list<TOKBottomDlg*>{SPktDlg, SioDlg, MbDlg, SoDlg, AzDlg})
        dialog->SetDeviceTypeSource([&c] { return c.record.deviceType; });
    // "OK" of the function selection goes on to the range or the sensor dialog.
    FuWahlDlg->SetTargets(MbDlg, PtDlg);
}

}  // namespace qvt
