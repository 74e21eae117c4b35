#pragma once

#include "dialogs/ok_bottom_dlg.h"

class TPSioDlg : public TOKBottomDlg {
    Q_OBJECT
public:
    TPSioDlg(qvt::ParameterRecord& record, qvt::ApplicationState& state, QWidget* parent = nullptr);

private:
    qvt::ParameterRecord& record_;
    qvt::ApplicationState& state_;
};
