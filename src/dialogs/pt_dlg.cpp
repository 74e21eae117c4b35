#include "dialogs/pt_dlg.h"

#include <QRadioButton>
#include <QVBoxLayout>

#include "core/application_state.h"
#include "core/parameter_record.h"
#include "dialogs/dialog_controls.h"

TPtDlg::TPtDlg(qvt::ParameterRecord& record, qvt::ApplicationState& state, QWidget* parent)
    : TOKBottomDlg(parent), record_(record), state_(state) {
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

void TPtDlg::FillFromRecord() {
    qvt::ClearChecks({PtBtn1, PtBtn2, PtBtn3, PtBtn4});
    switch (record_.funcCode) {
        case 1:
            PtBtn2->setChecked(true);
            break;
        case 2:
            PtBtn3->setChecked(true);
            break;
        case 3:
            PtBtn4->setChecked(true);
            break;
        default:
            PtBtn1->setChecked(true);
            break;
    }
}

void TPtDlg::OKBtnClick() {
    const int checked = qvt::CheckedIndex({PtBtn1, PtBtn2, PtBtn3, PtBtn4});
    record_.funcCode = checked < 0 ? 0 : checked;
    TOKBottomDlg::OKBtnClick();
}
