#include "dialogs/pt100_dialog.h"

#include <QRadioButton>
#include <QVBoxLayout>

#include "dialogs/widgets.h"
#include "platform/help_topics.h"

namespace qvt::dialogs {

Pt100Dialog::Pt100Dialog(QWidget* parent) : OkCancelDialog(parent) {
    setObjectName("PtDlg");
    setWindowTitle("Pt-Funktionswahl");
    AddHelpButton(help::topic::kFunctionChoice);
    QFrame* area = ControlArea();
    sensorButtons_ = {
        MakeRadio(area, "PtBtn1", QString::fromUtf8("Pt100 - Bereich1 (-150,0°C...+199,9°C)")),
        MakeRadio(area, "PtBtn2", QString::fromUtf8("Pt100 - Bereich2 (-200°C...+800°C)")),
        MakeRadio(area, "PtBtn3", QString::fromUtf8("Pt1000 - Bereich1 (-150,0...+199,9°C)")),
        MakeRadio(area, "PtBtn4", QString::fromUtf8("Pt1000 - Bereich2 (-200°C...+800°C)"))};
    sensorButtons_[0]->setChecked(true);
    auto* layout = new QVBoxLayout(area);
    for (QAbstractButton* button : sensorButtons_) layout->addWidget(button);
}

void Pt100Dialog::ShowValues(const SensorValues& values) {
    ClearChecks(sensorButtons_);
    CheckAt(sensorButtons_, values.sensor);
}

SensorValues Pt100Dialog::Values() const {
    return {CheckedIndex(sensorButtons_)};
}

}  // namespace qvt::dialogs
