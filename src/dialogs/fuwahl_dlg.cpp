#include "dialogs/fuwahl_dlg.h"

#include <QRadioButton>
#include <QVBoxLayout>

#include "dialogs/mb_dlg.h"
#include "dialogs/pt_dlg.h"
#include "dialogs/widgets.h"

TFuWahlDlg::TFuWahlDlg(QWidget* parent) : TOKBottomDlg(parent) {
    setObjectName("FuWahlDlg");
    setWindowTitle("Funktionswahl");
    AddHelpButton(31);
    FuWahlBtn1 = qvt::MakeRadio(Bevel1, "FuWahlBtn1", "Sondermessung");
    FuWahlBtn1->setChecked(true);
    FuWahlBtn2 = qvt::MakeRadio(Bevel1, "FuWahlBtn2", "Temperaturbereich Pt100x");
    auto* layout = new QVBoxLayout(Bevel1);
    layout->addWidget(FuWahlBtn1);
    layout->addWidget(FuWahlBtn2);
}

void TFuWahlDlg::SetTargets(TMbDlg* mbDlg, TPtDlg* ptDlg) {
    mbDlg_ = mbDlg;
    ptDlg_ = ptDlg;
}

void TFuWahlDlg::OKBtnClick() {
    if (FuWahlBtn2->isChecked()) {
        if (ptDlg_)
            ptDlg_->ShowModeless();
    } else if (FuWahlBtn1->isChecked()) {
        if (mbDlg_)
            mbDlg_->ShowModeless();
    }
    TOKBottomDlg::OKBtnClick();
}
