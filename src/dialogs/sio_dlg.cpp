#include "dialogs/sio_dlg.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/application_state.h"
#include "core/parameter_record.h"
#include "dialogs/dialog_controls.h"
#include "dialogs/field_guard.h"

namespace {

constexpr const char* kBaudCaptions[7] = {"150", "300", "600", "1200", "2400", "4800", "9600"};
constexpr int kDefaultBaudButton = 5;  // 4800

// Mode codes as the dialog's buttons read them; the main families keep
// seconds and minutes the other way round.
constexpr std::uint8_t kModePassive = 0;
constexpr std::uint8_t kModeSeconds = 1;
constexpr std::uint8_t kModeMinutes = 2;

bool MainFamily(std::uint8_t deviceType) {
    return deviceType == qvt::kDeviceQvt410 || deviceType == qvt::kDeviceQvt055;
}

std::uint8_t ExchangeForMainFamily(std::uint8_t mode, std::uint8_t deviceType) {
    if (!MainFamily(deviceType))
        return mode;
    if (mode == kModeSeconds)
        return kModeMinutes;
    if (mode == kModeMinutes)
        return kModeSeconds;
    return mode;
}

}  // namespace

TSioDlg::TSioDlg(qvt::ParameterRecord& record, qvt::ApplicationState& state, QWidget* parent)
    : TOKBottomDlg(parent), record_(record), state_(state) {
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

void TSioDlg::Open() {
    TimEdit->SetField(record_.sioSendCycle.view());

    qvt::ClearChecks({BdRBtn[0], BdRBtn[1], BdRBtn[2], BdRBtn[3], BdRBtn[4], BdRBtn[5], BdRBtn[6]});
    BdRBtn[record_.sioBaudIndex <= 6 ? record_.sioBaudIndex : kDefaultBaudButton]->setChecked(true);

    qvt::ClearChecks({SioRBtn2, SioRBtn3, SioRBtn4});
    SioRBtn3->setVisible(true);
    switch (ExchangeForMainFamily(record_.sioMode, record_.deviceType)) {
        case kModeSeconds:
            SioRBtn2->setChecked(true);
            break;
        case kModeMinutes:
            SioRBtn4->setChecked(true);
            break;
        default:
            SioRBtn3->setChecked(true);
            break;
    }

    ShowModeless();

    // The PC talks to the device at the rate the device is set to.
    const int shown = qvt::CheckedIndex(
        {BdRBtn[0], BdRBtn[1], BdRBtn[2], BdRBtn[3], BdRBtn[4], BdRBtn[5], BdRBtn[6]});
    state_.BaudIndex = static_cast<std::uint8_t>(shown);
    TimEdit->SetField(record_.sioSendCycle.view());
}

void TSioDlg::OKBtnClick() {
    if (!qvt::EditsFitTheirFields(this, record_.deviceType,
                                  {{qvt::NumericField::kSioSendCycle, TimEdit}}))
        return;
    record_.sioSendCycle = TimEdit->Field();
    const int baud = qvt::CheckedIndex(
        {BdRBtn[0], BdRBtn[1], BdRBtn[2], BdRBtn[3], BdRBtn[4], BdRBtn[5], BdRBtn[6]});
    record_.sioBaudIndex = static_cast<std::uint8_t>(baud < 0 ? 0 : baud);

    std::uint8_t mode = kModePassive;
    if (SioRBtn2->isChecked())
        mode = kModeSeconds;
    if (SioRBtn4->isChecked())
        mode = kModeMinutes;
    record_.sioMode = ExchangeForMainFamily(mode, record_.deviceType);
    TOKBottomDlg::OKBtnClick();
}
