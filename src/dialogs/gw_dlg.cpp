#include "dialogs/gw_dlg.h"

#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/application_state.h"
#include "core/parameter_record.h"
#include "dialogs/dialog_controls.h"

TGwDlg::TGwDlg(qvt::ParameterRecord& record, qvt::ApplicationState& state, QWidget* parent)
    : TOKBottomDlg(parent), record_(record), state_(state) {
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

void TGwDlg::Open() {
    const bool mainFamily =
        record_.deviceType == qvt::kDeviceQvt410 || record_.deviceType == qvt::kDeviceQvt055;
    (mainFamily ? GwRButton1 : GwRButton2)->setChecked(true);
    ShowModeless();
}

void TGwDlg::OKBtnClick() {
    // Only the label and the type: the menu check marks follow when the
    // device type menu is next opened.
    if (GwRButton1->isChecked()) {
        if (deviceLabel_)
            deviceLabel_->setText("QVT410");
        record_.deviceType = qvt::kDeviceQvt410;
    } else if (GwRButton2->isChecked()) {
        if (deviceLabel_)
            deviceLabel_->setText("QVT0xx");
        record_.deviceType = qvt::kDeviceQvt0xx;
    }
    TOKBottomDlg::OKBtnClick();
}
