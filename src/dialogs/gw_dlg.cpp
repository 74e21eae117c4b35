#include "dialogs/gw_dlg.h"

#include <QRadioButton>
#include <QVBoxLayout>

#include "dialogs/widgets.h"

TGwDlg::TGwDlg(QWidget* parent) : TOKBottomDlg(parent) {
    setObjectName("GwDlg");
    setWindowTitle(QString::fromUtf8("Gerätewahl"));
    AddHelpButton(0);
    GwRButton1 = qvt::MakeRadio(Bevel1, "GwRButton1", "QVT410 (Spannung, Strom, Temperatur)");
    GwRButton1->setChecked(true);
    GwRButton2 = qvt::MakeRadio(
        Bevel1, "GwRButton2", QString::fromUtf8("QVT0xx (Frequenz, Drehzahl, Zähler, Durchfluß)"));
    auto* layout = new QVBoxLayout(Bevel1);
    layout->addWidget(GwRButton1);
    layout->addWidget(GwRButton2);
}

void TGwDlg::ShowValues(const qvt::FamilyValues& values) {
    (values.mainFamily ? GwRButton1 : GwRButton2)->setChecked(true);
}

qvt::FamilyValues TGwDlg::Values() const {
    return {GwRButton1->isChecked()};
}
