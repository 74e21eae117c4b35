#include "dialogs/device_family_dialog.h"

#include <QRadioButton>
#include <QVBoxLayout>

#include "dialogs/widgets.h"
#include "platform/help_topics.h"

namespace qvt::dialogs {

DeviceFamilyDialog::DeviceFamilyDialog(QWidget* parent) : OkCancelDialog(parent) {
    setObjectName("GwDlg");
    setWindowTitle(QString::fromUtf8("Gerätewahl"));
    AddHelpButton(help::topic::kDeviceFamilyChoice);
    QFrame* area = ControlArea();
    mainFamilyButton_ = MakeRadio(area, "GwRButton1", "QVT410 (Spannung, Strom, Temperatur)");
    mainFamilyButton_->setChecked(true);
    counterFamilyButton_ = MakeRadio(
        area, "GwRButton2", QString::fromUtf8("QVT0xx (Frequenz, Drehzahl, Zähler, Durchfluß)"));
    auto* layout = new QVBoxLayout(area);
    layout->addWidget(mainFamilyButton_);
    layout->addWidget(counterFamilyButton_);
}

void DeviceFamilyDialog::ShowValues(const FamilyValues& values) {
    (values.mainFamily ? mainFamilyButton_ : counterFamilyButton_)->setChecked(true);
}

FamilyValues DeviceFamilyDialog::Values() const {
    return {mainFamilyButton_->isChecked()};
}

}  // namespace qvt::dialogs
