#include "dialogs/psio_dlg.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/application_state.h"
#include "core/config_file.h"
#include "core/parameter_record.h"

namespace {

QRadioButton* MakeRadio(QWidget* parent, QButtonGroup* group, const QString& name,
                        const QString& caption) {
    auto* button = new QRadioButton(caption, parent);
    button->setObjectName(name);
    group->addButton(button);
    return button;
}

}  // namespace

TPSioDlg::TPSioDlg(qvt::ParameterRecord& record, qvt::ApplicationState& state, QWidget* parent)
    : TOKBottomDlg(parent), record_(record), state_(state) {
    setObjectName("PSioDlg");
    setWindowTitle("Serielle Schnittstelle PC");
    AddHelpButton(45);

    auto* baudGroup = new QButtonGroup(this);
    auto* baudColumn = new QVBoxLayout;
    QRadioButton** baud[] = {&PsRBtn2, &PsRBtn3, &PsRBtn4, &PsRBtn5, &PsRBtn6, &PsRBtn7};
    const char* baudCaptions[] = {"300  Baud", "600  Baud", "1200 Baud",
                                  "2400 Baud", "4800 Baud", "9600 Baud"};
    for (int i = 0; i < 6; ++i) {
        *baud[i] = MakeRadio(Bevel1, baudGroup, QString("PsRBtn%1").arg(i + 2), baudCaptions[i]);
        baudColumn->addWidget(*baud[i]);
    }

    GroupBox1 = new QGroupBox("PC-SIO", Bevel1);
    GroupBox1->setObjectName("GroupBox1");
    auto* portGroup = new QButtonGroup(this);
    auto* portColumn = new QVBoxLayout(GroupBox1);
    QRadioButton** port[] = {&PcRBtn1, &PcRBtn2, &PcRBtn3, &PcRBtn4, &PcRBtn5, &PcRBtn6};
    for (int i = 0; i < 6; ++i) {
        *port[i] = MakeRadio(GroupBox1, portGroup, QString("PcRBtn%1").arg(i + 1),
                             QString("COM%1").arg(i + 1));
        portColumn->addWidget(*port[i]);
    }

    auto* row = new QHBoxLayout(Bevel1);
    row->addLayout(baudColumn);
    row->addWidget(GroupBox1);
}

std::array<QRadioButton*, 6> TPSioDlg::BaudButtons() const {
    return {PsRBtn2, PsRBtn3, PsRBtn4, PsRBtn5, PsRBtn6, PsRBtn7};
}

std::array<QRadioButton*, 6> TPSioDlg::PortButtons() const {
    return {PcRBtn1, PcRBtn2, PcRBtn3, PcRBtn4, PcRBtn5, PcRBtn6};
}

void TPSioDlg::Prepare() {
    const std::uint8_t baud = state_.BaudIndex;
    // 1..4 and 6 have buttons; 0 (150 baud on the device), 5, 7 and above show 4800.
    const int baudButton = (baud >= 1 && baud <= 4) || baud == 6 ? baud - 1 : 4;
    BaudButtons()[static_cast<std::size_t>(baudButton)]->setChecked(true);

    const std::uint8_t port = state_.PortIndex;
    const int portButton = port == 0 || (port >= 2 && port <= 5) ? port : 1;
    PortButtons()[static_cast<std::size_t>(portButton)]->setChecked(true);
}

void TPSioDlg::OKBtnClick() {
    state_.BaudIndex = 0;
    const auto baud = BaudButtons();
    for (std::size_t i = 0; i < baud.size(); ++i) {
        if (baud[i]->isChecked())
            state_.BaudIndex = static_cast<std::uint8_t>(i + 1);
    }
    state_.PortIndex = 0;
    const auto port = PortButtons();
    for (std::size_t i = 0; i < port.size(); ++i) {
        if (port[i]->isChecked())
            state_.PortIndex = static_cast<std::uint8_t>(i);
    }
    if (reopen_)
        reopen_();
    accept();
    qvt::WriteSerialSettings(state_.PortIndex, state_.BaudIndex, state_.ConfigFilePath);
}
