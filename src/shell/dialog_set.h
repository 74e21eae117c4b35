#pragma once

#include <QWidget>

#include "shell/app_context.h"

class TSPktDlg;
class TSioDlg;
class TRtcDlg;
class TPSioDlg;
class TPLptDlg;
class TMbDlg;
class TPtDlg;
class TDaDlg;
class TFuWahlDlg;
class TSoDlg;
class TGwDlg;
class TAzDlg;

namespace qvt {

class InfoBox;

// Every dialog of the program, created once after the main window, in a fixed
// order, and hidden until opened. Children of the main window, so they live
// exactly as long as it does.
struct DialogSet {
    DialogSet(AppContext& context, QWidget* mainWindow);

    qvt::InfoBox* InfoBox = nullptr;
    TSPktDlg* SPktDlg = nullptr;
    TSioDlg* SioDlg = nullptr;
    TRtcDlg* RtcDlg = nullptr;
    TPSioDlg* PSioDlg = nullptr;
    TPLptDlg* PLptDlg = nullptr;
    TMbDlg* MbDlg = nullptr;
    TPtDlg* PtDlg = nullptr;
    TDaDlg* DaDlg = nullptr;
    TFuWahlDlg* FuWahlDlg = nullptr;
    TSoDlg* SoDlg = nullptr;
    TGwDlg* GwDlg = nullptr;
    TAzDlg* AzDlg = nullptr;
};

}  // namespace qvt
