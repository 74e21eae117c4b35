#pragma once

#include "dialogs/ok_bottom_dlg.h"

class TPLptDlg : public TOKBottomDlg {
    Q_OBJECT
public:
    TPLptDlg(qvt::ParameterRecord& record, qvt::ApplicationState& state, QWidget* parent = nullptr);

private:
    qvt::ParameterRecord& record_;
    qvt::ApplicationState& state_;
};
