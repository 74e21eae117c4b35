#include "dialogs/so_dlg.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/application_state.h"
#include "core/parameter_record.h"
#include "dialogs/dialog_controls.h"
#include "dialogs/field_guard.h"

TSoDlg::TSoDlg(qvt::ParameterRecord& record, qvt::ApplicationState& state, QWidget* parent)
    : TOKBottomDlg(parent), record_(record), state_(state) {
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

void TSoDlg::Open() {
    (record_.soDisplayMode != 0 ? SoAzRBtn2 : SoAzRBtn1)->setChecked(true);
    (record_.soCountDirection != 0 ? SoZlRBtn2 : SoZlRBtn1)->setChecked(true);
    SoEdit1->SetField(record_.soEncoderPulses.view());
    ShowModeless();
}

void TSoDlg::OKBtnClick() {
    if (!qvt::EditsFitTheirFields(this, record_.deviceType,
                                  {{qvt::NumericField::kSoEncoderPulses, SoEdit1}}))
        return;
    record_.soEncoderPulses = SoEdit1->Field();
    record_.soDisplayMode = SoAzRBtn1->isChecked() ? 0 : 1;
    record_.soCountDirection = SoZlRBtn1->isChecked() ? 0 : 1;
    TOKBottomDlg::OKBtnClick();
}
