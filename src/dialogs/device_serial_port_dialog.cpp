#include "dialogs/device_serial_port_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dialogs/field_guard.h"
#include "dialogs/widgets.h"
#include "platform/help_topics.h"

namespace qvt::dialogs {
namespace {

constexpr const char* kBaudCaptions[7] = {"150", "300", "600", "1200", "2400", "4800", "9600"};

}  // namespace

DeviceSerialPortDialog::DeviceSerialPortDialog(QWidget* parent) : OkCancelDialog(parent) {
    setObjectName("SioDlg");
    setWindowTitle("Serielle Schnittstelle QVT410");
    AddHelpButton(help::topic::kDeviceSerialPort);
    QFrame* area = ControlArea();

    QGroupBox* baudBox = MakeGroup(area, "GroupBox1", "Baudrate");
    auto* baudLayout = new QVBoxLayout(baudBox);
    for (int i = 0; i < 7; ++i) {
        const QByteArray name = QByteArray("BdRBtn") + QByteArray::number(i + 1);
        baudButtons_[i] = MakeRadio(baudBox, name.constData(), kBaudCaptions[i]);
        baudLayout->addWidget(baudButtons_[i]);
    }

    QGroupBox* timerBox = MakeGroup(area, "GroupBox2", "Timer");
    sendCycleEdit_ = MakeEdit(timerBox, "TimEdit", 3);
    QGroupBox* modeBox = MakeGroup(timerBox, "GroupBox3", "Sekunden");
    secondsButton_ = MakeRadio(modeBox, "SioRBtn2", "RS232-sec.");
    passiveButton_ = MakeRadio(modeBox, "SioRBtn3", "Passiv");
    minutesButton_ = MakeRadio(modeBox, "SioRBtn4", "RS232-min.");
    passiveButton_->setVisible(false);  // shown by every opening
    auto* modeLayout = new QVBoxLayout(modeBox);
    for (QRadioButton* b : {secondsButton_, passiveButton_, minutesButton_})
        modeLayout->addWidget(b);

    auto* timer = new QGridLayout(timerBox);
    timer->addWidget(MakeLabel(timerBox, "Label1", "Sendezyklus", sendCycleEdit_), 0, 0);
    timer->addWidget(sendCycleEdit_, 0, 1);
    timer->addWidget(modeBox, 1, 0, 1, 2);

    auto* row = new QHBoxLayout(area);
    row->addWidget(baudBox);
    row->addWidget(timerBox);
}

void DeviceSerialPortDialog::ShowValues(const SioValues& values) {
    sendCycleEdit_->SetField(values.sendCycle);
    ClearChecks(baudButtons_);
    CheckAt(baudButtons_, values.baud);
    ClearChecks({secondsButton_, passiveButton_, minutesButton_});
    passiveButton_->setVisible(true);
    switch (values.sending) {
        case SioSending::kSeconds:
            secondsButton_->setChecked(true);
            break;
        case SioSending::kMinutes:
            minutesButton_->setChecked(true);
            break;
        case SioSending::kPassive:
            passiveButton_->setChecked(true);
            break;
    }
}

SioValues DeviceSerialPortDialog::Values() const {
    SioValues values;
    values.sendCycle = sendCycleEdit_->Field();
    values.baud = CheckedIndex(baudButtons_);
    values.sending = SioSending::kPassive;
    if (secondsButton_->isChecked())
        values.sending = SioSending::kSeconds;
    if (minutesButton_->isChecked())
        values.sending = SioSending::kMinutes;
    return values;
}

void DeviceSerialPortDialog::CheckAndCommit() {
    if (!EditsFitTheirFields(this, DeviceType(), {{NumericField::kSioSendCycle, sendCycleEdit_}}))
        return;
    OkCancelDialog::CheckAndCommit();
}

}  // namespace qvt::dialogs
