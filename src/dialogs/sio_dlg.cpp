#include "dialogs/sio_dlg.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dialogs/field_guard.h"
#include "dialogs/widgets.h"

namespace {

constexpr const char* kBaudCaptions[7] = {"150", "300", "600", "1200", "2400", "4800", "9600"};

}  // namespace

TSioDlg::TSioDlg(QWidget* parent) : TOKBottomDlg(parent) {
    setObjectName("SioDlg");
    setWindowTitle("Serielle Schnittstelle QVT410");
    AddHelpButton(34);

    GroupBox1 = qvt::MakeGroup(Bevel1, "GroupBox1", "Baudrate");
    auto* baudLayout = new QVBoxLayout(GroupBox1);
    for (int i = 0; i < 7; ++i) {
        const QByteArray name = QByteArray("BdRBtn") + QByteArray::number(i + 1);
        BdRBtn[i] = qvt::MakeRadio(GroupBox1, name.constData(), kBaudCaptions[i]);
        baudLayout->addWidget(BdRBtn[i]);
    }

    GroupBox2 = qvt::MakeGroup(Bevel1, "GroupBox2", "Timer");
    TimEdit = qvt::MakeEdit(GroupBox2, "TimEdit", 3);
    GroupBox3 = qvt::MakeGroup(GroupBox2, "GroupBox3", "Sekunden");
    SioRBtn2 = qvt::MakeRadio(GroupBox3, "SioRBtn2", "RS232-sec.");
    SioRBtn3 = qvt::MakeRadio(GroupBox3, "SioRBtn3", "Passiv");
    SioRBtn4 = qvt::MakeRadio(GroupBox3, "SioRBtn4", "RS232-min.");
    SioRBtn3->setVisible(false);  // shown by every opening
    auto* modeLayout = new QVBoxLayout(GroupBox3);
    for (QRadioButton* b : {SioRBtn2, SioRBtn3, SioRBtn4}) modeLayout->addWidget(b);

    auto* timer = new QGridLayout(GroupBox2);
    timer->addWidget(qvt::MakeLabel(GroupBox2, "Label1", "Sendezyklus", TimEdit), 0, 0);
    timer->addWidget(TimEdit, 0, 1);
    timer->addWidget(GroupBox3, 1, 0, 1, 2);

    auto* row = new QHBoxLayout(Bevel1);
    row->addWidget(GroupBox1);
    row->addWidget(GroupBox2);
}

void TSioDlg::ShowValues(const qvt::SioValues& values) {
    TimEdit->SetField(values.sendCycle);
    const std::initializer_list<QAbstractButton*> baud = {
        BdRBtn[0], BdRBtn[1], BdRBtn[2], BdRBtn[3], BdRBtn[4], BdRBtn[5], BdRBtn[6]};
    qvt::ClearChecks(baud);
    qvt::CheckAt(baud, values.baud);
    qvt::ClearChecks({SioRBtn2, SioRBtn3, SioRBtn4});
    SioRBtn3->setVisible(true);
    switch (values.sending) {
        case qvt::SioSending::kSeconds:
            SioRBtn2->setChecked(true);
            break;
        case qvt::SioSending::kMinutes:
            SioRBtn4->setChecked(true);
            break;
        case qvt::SioSending::kPassive:
            SioRBtn3->setChecked(true);
            break;
    }
}

qvt::SioValues TSioDlg::Values() const {
    qvt::SioValues values;
    values.sendCycle = TimEdit->Field();
    values.baud = qvt::CheckedIndex(
        {BdRBtn[0], BdRBtn[1], BdRBtn[2], BdRBtn[3], BdRBtn[4], BdRBtn[5], BdRBtn[6]});
    values.sending = qvt::SioSending::kPassive;
    if (SioRBtn2->isChecked())
        values.sending = qvt::SioSending::kSeconds;
    if (SioRBtn4->isChecked())
        values.sending = qvt::SioSending::kMinutes;
    return values;
}

void TSioDlg::OKBtnClick() {
    if (!qvt::EditsFitTheirFields(this, DeviceType(),
                                  {{qvt::NumericField::kSioSendCycle, TimEdit}}))
        return;
    TOKBottomDlg::OKBtnClick();
}
