#include "dialogs/plpt_dlg.h"

#include <QDir>
#include <QFile>
#include <QFrame>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/application_state.h"
#include "core/config_file.h"

TPLptDlg::TPLptDlg(qvt::ParameterRecord& /*record*/, qvt::ApplicationState& state, QWidget* parent)
    : TOKBottomDlg(parent),
      state_(state),
      configPath_(
          QFile::encodeName(QDir::current().absoluteFilePath(qvt::kConfigFileName)).toStdString()) {
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

    AddHelpButton(0);
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
    qvt::WriteLptIndex(state_.LptIndex, configPath_);
}
