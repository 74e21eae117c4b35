#include "dialogs/plpt_dlg.h"

#include <QFrame>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "dialogs/widgets.h"

TPLptDlg::TPLptDlg(QWidget* parent) : TOKBottomDlg(parent) {
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

void TPLptDlg::ShowValues(const qvt::ParallelPortValues& values) {
    qvt::CheckAt({PLpRBtn1, PLpRBtn2, PLpRBtn3}, values.port);
}

qvt::ParallelPortValues TPLptDlg::Values() const {
    return {std::max(0, qvt::CheckedIndex({PLpRBtn1, PLpRBtn2, PLpRBtn3}))};
}
