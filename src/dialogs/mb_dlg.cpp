#include "dialogs/mb_dlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>

#include "core/application_state.h"
#include "core/parameter_record.h"
#include "dialogs/dialog_controls.h"
#include "dialogs/field_guard.h"

TMbDlg::TMbDlg(qvt::ParameterRecord& record, qvt::ApplicationState& state, QWidget* parent)
    : TOKBottomDlg(parent), record_(record), state_(state) {
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

    // The function code starts defined before anything reads it.
    MbCBox->setChecked(false);
    record_.funcCode = 0;
}

void TMbDlg::FillFromRecord() {
    MbEdit1->SetField(record_.mbMeasStart.view());
    MbEdit2->SetField(record_.mbDisplayStart.view());
    MbEdit3->SetField(record_.mbMeasEnd.view());
    MbEdit4->SetField(record_.mbDisplayEnd.view());
    MbCBox->setChecked(record_.funcCode == 1);
}

void TMbDlg::OKBtnClick() {
    using F = qvt::NumericField;
    if (!qvt::EditsFitTheirFields(this, record_.deviceType,
                                  {{F::kMbMeasStart, MbEdit1},
                                   {F::kMbDisplayStart, MbEdit2},
                                   {F::kMbMeasEnd, MbEdit3},
                                   {F::kMbDisplayEnd, MbEdit4}}))
        return;
    record_.mbMeasStart = MbEdit1->Field();
    record_.mbDisplayStart = MbEdit2->Field();
    record_.mbMeasEnd = MbEdit3->Field();
    record_.mbDisplayEnd = MbEdit4->Field();
    record_.funcCode = MbCBox->isChecked() ? 1 : 0;
    TOKBottomDlg::OKBtnClick();
}
