#include "dialogs/da_dlg.h"

#include <QRadioButton>
#include <QVBoxLayout>

#include "dialogs/widgets.h"

TDaDlg::TDaDlg(QWidget* parent) : TOKBottomDlg(parent) {
    setObjectName("DaDlg");
    setWindowTitle("Erweiterungskarte");
    AddHelpButton(36);
    DaRBtn1 = qvt::MakeRadio(Bevel1, "DaRBtn1", "Analogausgang (410-204)");
    DaRBtn2 = qvt::MakeRadio(Bevel1, "DaRBtn2", "SIO/RTC (410-232)");
    DaRBtn3 = qvt::MakeRadio(Bevel1, "DaRBtn3", "Keine Erweiterungsplatine");
    auto* layout = new QVBoxLayout(Bevel1);
    for (QRadioButton* b : {DaRBtn1, DaRBtn2, DaRBtn3}) layout->addWidget(b);
}

void TDaDlg::ShowValues(const qvt::CardValues& values) {
    qvt::CheckAt({DaRBtn1, DaRBtn2, DaRBtn3}, values.card);
}

qvt::CardValues TDaDlg::Values() const {
    return {qvt::CheckedIndex({DaRBtn1, DaRBtn2, DaRBtn3})};
}
