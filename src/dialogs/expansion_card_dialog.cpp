#include "dialogs/expansion_card_dialog.h"

#include <QRadioButton>
#include <QVBoxLayout>

#include "dialogs/widgets.h"
#include "platform/help_topics.h"

namespace qvt::dialogs {

ExpansionCardDialog::ExpansionCardDialog(QWidget* parent) : OkCancelDialog(parent) {
    setObjectName("DaDlg");
    setWindowTitle("Erweiterungskarte");
    AddHelpButton(help::topic::kExpansionCard);
    QFrame* area = ControlArea();
    cardButtons_ = {MakeRadio(area, "DaRBtn1", "Analogausgang (410-204)"),
                    MakeRadio(area, "DaRBtn2", "SIO/RTC (410-232)"),
                    MakeRadio(area, "DaRBtn3", "Keine Erweiterungsplatine")};
    auto* layout = new QVBoxLayout(area);
    for (QAbstractButton* b : cardButtons_) layout->addWidget(b);
}

void ExpansionCardDialog::ShowValues(const CardValues& values) {
    CheckAt(cardButtons_, values.card);
}

CardValues ExpansionCardDialog::Values() const {
    return {CheckedIndex(cardButtons_)};
}

}  // namespace qvt::dialogs
