#include "dialogs/function_choice_dialog.h"

#include <QRadioButton>
#include <QVBoxLayout>

#include "dialogs/measuring_range_dialog.h"
#include "dialogs/pt100_dialog.h"
#include "dialogs/widgets.h"
#include "platform/help_topics.h"

namespace qvt::dialogs {

FunctionChoiceDialog::FunctionChoiceDialog(QWidget* parent) : OkCancelDialog(parent) {
    setObjectName("FuWahlDlg");
    setWindowTitle("Funktionswahl");
    AddHelpButton(help::topic::kFunctionChoice);
    QFrame* area = ControlArea();
    rangeButton_ = MakeRadio(area, "FuWahlBtn1", "Sondermessung");
    rangeButton_->setChecked(true);
    pt100Button_ = MakeRadio(area, "FuWahlBtn2", "Temperaturbereich Pt100x");
    auto* layout = new QVBoxLayout(area);
    layout->addWidget(rangeButton_);
    layout->addWidget(pt100Button_);
}

void FunctionChoiceDialog::SetTargets(MeasuringRangeDialog* rangeDialog, Pt100Dialog* pt100Dialog) {
    rangeDialog_ = rangeDialog;
    pt100Dialog_ = pt100Dialog;
}

void FunctionChoiceDialog::SetRangeChoiceCaption(const QString& caption) {
    rangeButton_->setText(caption);
}

void FunctionChoiceDialog::CheckAndCommit() {
    if (pt100Button_->isChecked()) {
        if (pt100Dialog_)
            pt100Dialog_->ShowModeless();
    } else if (rangeButton_->isChecked()) {
        if (rangeDialog_)
            rangeDialog_->ShowModeless();
    }
    OkCancelDialog::CheckAndCommit();
}

}  // namespace qvt::dialogs
