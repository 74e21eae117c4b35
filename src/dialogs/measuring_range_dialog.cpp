#include "dialogs/measuring_range_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>

#include "dialogs/field_guard.h"
#include "dialogs/widgets.h"
#include "platform/help_topics.h"

namespace qvt::dialogs {

MeasuringRangeDialog::MeasuringRangeDialog(QWidget* parent) : OkCancelDialog(parent) {
    setObjectName("MbDlg");
    setWindowTitle("Messbereich");
    AddHelpButton(help::topic::kFunctionChoice);
    QFrame* area = ControlArea();

    measStartEdit_ = MakeEdit(area, "MbEdit1", 4, "0000");
    displayStartEdit_ = MakeEdit(area, "MbEdit2", 4, "0000");
    measEndEdit_ = MakeEdit(area, "MbEdit3", 4, "0000");
    displayEndEdit_ = MakeEdit(area, "MbEdit4", 4, "0000");
    totalQuantityBox_ = MakeCheck(area, "MbCBox", "Funktion aktivieren (Gesamtmenge)");

    auto* grid = new QGridLayout(area);
    grid->addWidget(
        MakeLabel(area, "MbLabel1", QString::fromUtf8("Messwert Bereichsanfang (Zählerstand)"),
                  measStartEdit_),
        0, 0);
    grid->addWidget(measStartEdit_, 0, 1);
    grid->addWidget(MakeLabel(area, "Label1", "Anzeigewert Bereichsanfang", displayStartEdit_), 1,
                    0);
    grid->addWidget(displayStartEdit_, 1, 1);
    grid->addWidget(MakeLabel(area, "Label2", "Messwert Bereichsende", measEndEdit_), 2, 0);
    grid->addWidget(measEndEdit_, 2, 1);
    grid->addWidget(MakeLabel(area, "Label3", "Anzeigewert Bereichsende", displayEndEdit_), 3, 0);
    grid->addWidget(displayEndEdit_, 3, 1);
    grid->addWidget(totalQuantityBox_, 4, 0, 1, 2);
    totalQuantityBox_->setChecked(false);
}

void MeasuringRangeDialog::ShowValues(const RangeValues& values) {
    measStartEdit_->SetField(values.measStart);
    displayStartEdit_->SetField(values.displayStart);
    measEndEdit_->SetField(values.measEnd);
    displayEndEdit_->SetField(values.displayEnd);
    totalQuantityBox_->setChecked(values.totalQuantity);
}

RangeValues MeasuringRangeDialog::Values() const {
    return {measStartEdit_->Field(), displayStartEdit_->Field(), measEndEdit_->Field(),
            displayEndEdit_->Field(), totalQuantityBox_->isChecked()};
}

void MeasuringRangeDialog::CheckAndCommit() {
    using F = NumericField;
    if (!EditsFitTheirFields(this, DeviceType(),
                             {{F::kMbMeasStart, measStartEdit_},
                              {F::kMbDisplayStart, displayStartEdit_},
                              {F::kMbMeasEnd, measEndEdit_},
                              {F::kMbDisplayEnd, displayEndEdit_}}))
        return;
    OkCancelDialog::CheckAndCommit();
}

}  // namespace qvt::dialogs
