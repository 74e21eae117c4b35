#include "dialogs/so_dlg.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dialogs/field_guard.h"
#include "dialogs/widgets.h"

TSoDlg::TSoDlg(QWidget* parent) : TOKBottomDlg(parent) {
    setObjectName("SoDlg");
    setWindowTitle("Sonderfunktionen");
    AddHelpButton(37);

    // The pulse field holds four characters, so its edit takes no more.
    SoEdit1 = qvt::MakeEdit(Bevel1, "SoEdit1", 4);
    GroupBox1 = qvt::MakeGroup(Bevel1, "GroupBox1", "Anzeige");
    SoAzRBtn1 = qvt::MakeRadio(GroupBox1, "SoAzRBtn1", "Messwert");
    SoAzRBtn2 = qvt::MakeRadio(GroupBox1, "SoAzRBtn2", "Uhrzeit");
    auto* displayLayout = new QVBoxLayout(GroupBox1);
    displayLayout->addWidget(SoAzRBtn1);
    displayLayout->addWidget(SoAzRBtn2);
    GroupBox2 = qvt::MakeGroup(Bevel1, "GroupBox2", QString::fromUtf8(" Zählrichtung "));
    SoZlRBtn1 = qvt::MakeRadio(GroupBox2, "SoZlRBtn1", QString::fromUtf8("Vorwärts"));
    SoZlRBtn2 = qvt::MakeRadio(GroupBox2, "SoZlRBtn2", QString::fromUtf8("Rückwärts"));
    auto* countLayout = new QVBoxLayout(GroupBox2);
    countLayout->addWidget(SoZlRBtn1);
    countLayout->addWidget(SoZlRBtn2);

    auto* pulses = new QHBoxLayout;
    pulses->addWidget(qvt::MakeLabel(Bevel1, "Label1", "Impulse des Drehgebers", SoEdit1));
    pulses->addWidget(SoEdit1);
    auto* groups = new QHBoxLayout;
    groups->addWidget(GroupBox1);
    groups->addWidget(GroupBox2);
    auto* layout = new QVBoxLayout(Bevel1);
    layout->addLayout(pulses);
    layout->addLayout(groups);
}

void TSoDlg::ShowValues(const qvt::MiscValues& values) {
    (values.showsTime ? SoAzRBtn2 : SoAzRBtn1)->setChecked(true);
    (values.countsBackwards ? SoZlRBtn2 : SoZlRBtn1)->setChecked(true);
    SoEdit1->SetField(values.encoderPulses);
}

qvt::MiscValues TSoDlg::Values() const {
    return {SoEdit1->Field(), !SoAzRBtn1->isChecked(), !SoZlRBtn1->isChecked()};
}

void TSoDlg::OKBtnClick() {
    if (!qvt::EditsFitTheirFields(this, DeviceType(),
                                  {{qvt::NumericField::kSoEncoderPulses, SoEdit1}}))
        return;
    TOKBottomDlg::OKBtnClick();
}
