#pragma once

#include "dialogs/ok_bottom_dlg.h"

class QRadioButton;

class TFuWahlDlg : public TOKBottomDlg {
    Q_OBJECT
public:
    TFuWahlDlg(qvt::ParameterRecord& record, qvt::ApplicationState& state, QWidget* parent = nullptr);

    QRadioButton* FuWahlBtn1 = nullptr;  // "Sondermessung" / "Anzeigezeiten"
    QRadioButton* FuWahlBtn2 = nullptr;  // "Temperaturbereich Pt100x"

private:
    qvt::ParameterRecord& record_;
    qvt::ApplicationState& state_;
};
