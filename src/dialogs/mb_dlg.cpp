#include "dialogs/mb_dlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>

#include "dialogs/field_guard.h"
#include "dialogs/widgets.h"

TMbDlg::TMbDlg(QWidget* parent) : TOKBottomDlg(parent) {
    setObjectName("MbDlg");
    setWindowTitle("Messbereich");
    AddHelpButton(31);

    using qvt::MakeEdit;
    using qvt::MakeLabel;
    MbEdit1 = MakeEdit(Bevel1, "MbEdit1", 4, "0000");
    MbEdit2 = MakeEdit(Bevel1, "MbEdit2", 4, "0000");
    MbEdit3 = MakeEdit(Bevel1, "MbEdit3", 4, "0000");
    MbEdit4 = MakeEdit(Bevel1, "MbEdit4", 4, "0000");
    MbCBox = qvt::MakeCheck(Bevel1, "MbCBox", "Funktion aktivieren (Gesamtmenge)");

    auto* grid = new QGridLayout(Bevel1);
    grid->addWidget(MakeLabel(Bevel1, "MbLabel1",
                              QString::fromUtf8("Messwert Bereichsanfang (Zählerstand)"), MbEdit1),
                    0, 0);
    grid->addWidget(MbEdit1, 0, 1);
    grid->addWidget(MakeLabel(Bevel1, "Label1", "Anzeigewert Bereichsanfang", MbEdit2), 1, 0);
    grid->addWidget(MbEdit2, 1, 1);
    grid->addWidget(MakeLabel(Bevel1, "Label2", "Messwert Bereichsende", MbEdit3), 2, 0);
    grid->addWidget(MbEdit3, 2, 1);
    grid->addWidget(MakeLabel(Bevel1, "Label3", "Anzeigewert Bereichsende", MbEdit4), 3, 0);
    grid->addWidget(MbEdit4, 3, 1);
    grid->addWidget(MbCBox, 4, 0, 1, 2);
    MbCBox->setChecked(false);
}

void TMbDlg::ShowValues(const qvt::RangeValues& values) {
    MbEdit1->SetField(values.measStart);
    MbEdit2->SetField(values.displayStart);
    MbEdit3->SetField(values.measEnd);
    MbEdit4->SetField(values.displayEnd);
    MbCBox->setChecked(values.totalQuantity);
}

qvt::RangeValues TMbDlg::Values() const {
    return {MbEdit1->Field(), MbEdit2->Field(), MbEdit3->Field(), MbEdit4->Field(),
            MbCBox->isChecked()};
}

void TMbDlg::OKBtnClick() {
    using F = qvt::NumericField;
    if (!qvt::EditsFitTheirFields(this, DeviceType(),
                                  {{F::kMbMeasStart, MbEdit1},
                                   {F::kMbDisplayStart, MbEdit2},
                                   {F::kMbMeasEnd, MbEdit3},
                                   {F::kMbDisplayEnd, MbEdit4}}))
        return;
    TOKBottomDlg::OKBtnClick();
}
