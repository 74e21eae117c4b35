#include "dialogs/plpt_dlg.h"

#include <QFrame>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/application_state.h"
#include "platform/files/config_file_access.h"

TPLptDlg::TPLptDlg(qvt::ParameterRecord& /*record*/, qvt::ApplicationState& state, QWidget* parent)
    : TOKBottomDlg(parent), state_(state) {
    setObjectName("PLptDlg");
    setWindowTitle("Programmierschnittstelle");

    auto* layout = new QVBoxLayout(Bevel1);
    PLpRBtn1 = new QRadioButton("Schnittstelle = LPT1", Bevel1);
    PLpRBtn1->setObjectName("PLpRBtn1");
    PLpRBtn2 = new QRadioButton("Schnittstelle = LPT2", Bevel1);
    PLpRBtn2->setObjectName("PLpRBtn2");
    PLpRBtn3 = new QRadioButton("Schnittstelle = LPT3", Bevel1);
    PLpRBtn3->setObjectName("PLpRBtn3");
    for (QRadioButton* button : {PLpRBtn1, PLpRBtn2, PLpRBtn3}) layout->addWidget(button);
    PLpRBtn1->setChecked(true);

    AddHelpButton(50);  // the topic of the programming menu
}

void TPLptDlg::CheckChosenPort() {
    switch (state_.LptIndex) {
        case 1:
            PLpRBtn2->setChecked(true);
            break;
        case 2:
            PLpRBtn3->setChecked(true);
            break;
        default:
            PLpRBtn1->setChecked(true);
            break;
    }
}

void TPLptDlg::OKBtnClick() {
    state_.LptIndex = 0;
    if (PLpRBtn2->isChecked())
        state_.LptIndex = 1;
    if (PLpRBtn3->isChecked())
        state_.LptIndex = 2;
    accept();
    // The port in use stays until the next start; only the file changes now.
    qvt::WriteLptIndex(state_.LptIndex, state_.ConfigFilePath);
}
