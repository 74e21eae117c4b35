#include "dialogs/pt_dlg.h"

#include <QRadioButton>
#include <QVBoxLayout>

#include "dialogs/widgets.h"

TPtDlg::TPtDlg(QWidget* parent) : TOKBottomDlg(parent) {
    setObjectName("PtDlg");
    setWindowTitle("Pt-Funktionswahl");
    AddHelpButton(31);
    PtBtn1 = qvt::MakeRadio(Bevel1, "PtBtn1",
                            QString::fromUtf8("Pt100 - Bereich1 (-150,0°C...+199,9°C)"));
    PtBtn2 =
        qvt::MakeRadio(Bevel1, "PtBtn2", QString::fromUtf8("Pt100 - Bereich2 (-200°C...+800°C)"));
    PtBtn3 = qvt::MakeRadio(Bevel1, "PtBtn3",
                            QString::fromUtf8("Pt1000 - Bereich1 (-150,0...+199,9°C)"));
    PtBtn4 =
        qvt::MakeRadio(Bevel1, "PtBtn4", QString::fromUtf8("Pt1000 - Bereich2 (-200°C...+800°C)"));
    PtBtn1->setChecked(true);
    auto* layout = new QVBoxLayout(Bevel1);
    for (QRadioButton* button : {PtBtn1, PtBtn2, PtBtn3, PtBtn4}) layout->addWidget(button);
}

void TPtDlg::ShowValues(const qvt::SensorValues& values) {
    qvt::ClearChecks({PtBtn1, PtBtn2, PtBtn3, PtBtn4});
    qvt::CheckAt({PtBtn1, PtBtn2, PtBtn3, PtBtn4}, values.sensor);
}

qvt::SensorValues TPtDlg::Values() const {
    return {qvt::CheckedIndex({PtBtn1, PtBtn2, PtBtn3, PtBtn4})};
}
