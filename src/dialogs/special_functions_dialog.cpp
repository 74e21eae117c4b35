#include "dialogs/special_functions_dialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dialogs/field_guard.h"
#include "dialogs/widgets.h"
#include "platform/help_topics.h"

namespace qvt::dialogs {

SpecialFunctionsDialog::SpecialFunctionsDialog(QWidget* parent) : OkCancelDialog(parent) {
    setObjectName("SoDlg");
    setWindowTitle("Sonderfunktionen");
    AddHelpButton(help::topic::kSpecialFunctions);
    QFrame* area = ControlArea();

    // The pulse field holds four characters, so its edit takes no more.
    encoderPulsesEdit_ = MakeEdit(area, "SoEdit1", 4);
    QGroupBox* displayBox = MakeGroup(area, "GroupBox1", "Anzeige");
    showValueButton_ = MakeRadio(displayBox, "SoAzRBtn1", "Messwert");
    showTimeButton_ = MakeRadio(displayBox, "SoAzRBtn2", "Uhrzeit");
    auto* displayLayout = new QVBoxLayout(displayBox);
    displayLayout->addWidget(showValueButton_);
    displayLayout->addWidget(showTimeButton_);
    QGroupBox* directionBox = MakeGroup(area, "GroupBox2", QString::fromUtf8(" Zählrichtung "));
    forwardsButton_ = MakeRadio(directionBox, "SoZlRBtn1", QString::fromUtf8("Vorwärts"));
    backwardsButton_ = MakeRadio(directionBox, "SoZlRBtn2", QString::fromUtf8("Rückwärts"));
    auto* countLayout = new QVBoxLayout(directionBox);
    countLayout->addWidget(forwardsButton_);
    countLayout->addWidget(backwardsButton_);

    auto* pulses = new QHBoxLayout;
    pulses->addWidget(MakeLabel(area, "Label1", "Impulse des Drehgebers", encoderPulsesEdit_));
    pulses->addWidget(encoderPulsesEdit_);
    auto* groups = new QHBoxLayout;
    groups->addWidget(displayBox);
    groups->addWidget(directionBox);
    auto* layout = new QVBoxLayout(area);
    layout->addLayout(pulses);
    layout->addLayout(groups);
}

void SpecialFunctionsDialog::ShowValues(const MiscValues& values) {
    (values.showsTime ? showTimeButton_ : showValueButton_)->setChecked(true);
    (values.countsBackwards ? backwardsButton_ : forwardsButton_)->setChecked(true);
    encoderPulsesEdit_->SetField(values.encoderPulses);
}

MiscValues SpecialFunctionsDialog::Values() const {
    return {encoderPulsesEdit_->Field(), !showValueButton_->isChecked(),
            !forwardsButton_->isChecked()};
}

void SpecialFunctionsDialog::CheckAndCommit() {
    if (!EditsFitTheirFields(this, DeviceType(),
                             {{NumericField::kSoEncoderPulses, encoderPulsesEdit_}}))
        return;
    OkCancelDialog::CheckAndCommit();
}

}  // namespace qvt::dialogs
