#include "dialogs/programming_port_dialog.h"

#include <QFrame>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "dialogs/widgets.h"
#include "platform/help_topics.h"

namespace qvt::dialogs {

ProgrammingPortDialog::ProgrammingPortDialog(QWidget* parent) : OkCancelDialog(parent) {
    setObjectName("PLptDlg");
    setWindowTitle("Programmierschnittstelle");
    QFrame* area = ControlArea();

    auto* layout = new QVBoxLayout(area);
    portButtons_ = {MakeRadio(area, "PLpRBtn1", "Schnittstelle = LPT1"),
                    MakeRadio(area, "PLpRBtn2", "Schnittstelle = LPT2"),
                    MakeRadio(area, "PLpRBtn3", "Schnittstelle = LPT3")};
    for (QAbstractButton* button : portButtons_) layout->addWidget(button);
    portButtons_[0]->setChecked(true);

    AddHelpButton(help::topic::kProgramming);
}

void ProgrammingPortDialog::ShowValues(const ParallelPortValues& values) {
    CheckAt(portButtons_, values.port);
}

ParallelPortValues ProgrammingPortDialog::Values() const {
    return {std::max(0, CheckedIndex(portButtons_))};
}

}  // namespace qvt::dialogs
