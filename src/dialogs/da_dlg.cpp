#include "dialogs/da_dlg.h"

#include <QRadioButton>
#include <QVBoxLayout>

#include "core/application_state.h"
#include "core/parameter_record.h"
#include "dialogs/dialog_controls.h"

TDaDlg::TDaDlg(qvt::ParameterRecord& record, qvt::ApplicationState& state, QWidget* parent)
    : TOKBottomDlg(parent), record_(record), state_(state) {
    setObjectName("DaDlg");
    setWindowTitle("Erweiterungskarte");
    AddHelpButton(36);
    DaRBtn1 = qvt::MakeRadio(Bevel1, "DaRBtn1", "Analogausgang (410-204)");
    DaRBtn2 = qvt::MakeRadio(Bevel1, "DaRBtn2", "SIO/RTC (410-232)");
    DaRBtn3 = qvt::MakeRadio(Bevel1, "DaRBtn3", "Keine Erweiterungsplatine");
    auto* layout = new QVBoxLayout(Bevel1);
    for (QRadioButton* b : {DaRBtn1, DaRBtn2, DaRBtn3}) layout->addWidget(b);
}

void TDaDlg::Open() {
    switch (record_.daCardType) {
        case 1:
            DaRBtn2->setChecked(true);
            break;
        case 2:
            DaRBtn3->setChecked(true);
            break;
        default:
            DaRBtn1->setChecked(true);
            break;
    }
    ShowModeless();
}

void TDaDlg::OKBtnClick() {
    record_.daCardType = 1;
    if (DaRBtn1->isChecked())
        record_.daCardType = 0;
    if (DaRBtn3->isChecked())
        record_.daCardType = 2;
    TOKBottomDlg::OKBtnClick();
}
