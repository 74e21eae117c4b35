#include "dialogs/psio_dlg.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/platform_settings.h"
#include "dialogs/widgets.h"
#include "platform/serial_devices.h"
#include "platform/settings_writer.h"

namespace {

QRadioButton* MakeRadio(QWidget* parent, QButtonGroup* group, const QString& name,
                        const QString& caption) {
    auto* button = new QRadioButton(caption, parent);
    button->setObjectName(name);
    group->addButton(button);
    return button;
}

// A typed name without a folder means a device: "ttyUSB3" is /dev/ttyUSB3.
std::string DevicePath(const QString& typed) {
    const QString path = typed.trimmed();
    if (path.isEmpty() || path.startsWith('/'))
        return path.toStdString();
    return "/dev/" + path.toStdString();
}

}  // namespace

TPSioDlg::TPSioDlg(QWidget* parent) : TOKBottomDlg(parent) {
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

    auto* row = new QHBoxLayout;
    row->addLayout(baudColumn);
    row->addWidget(GroupBox1);

    DeviceLabel = new QLabel(Bevel1);
    DeviceLabel->setObjectName("DeviceLabel");
    DeviceLabel->setTextFormat(Qt::PlainText);
    MapBtn = new QPushButton("Zuordnen...", Bevel1);
    MapBtn->setObjectName("MapBtn");
    MapNote = new QLabel(Bevel1);
    MapNote->setObjectName("MapNote");
    MapNote->setTextFormat(Qt::PlainText);
    MapNote->setStyleSheet("color: red;");
    MapNote->setWordWrap(true);
    MapNote->setFixedWidth(220);
    auto* mapRow = new QHBoxLayout;
    mapRow->addWidget(MapBtn, 0, Qt::AlignTop);
    mapRow->addWidget(MapNote, 1);

    auto* column = new QVBoxLayout(Bevel1);
    column->addLayout(row);
    column->addWidget(DeviceLabel);
    column->addLayout(mapRow);

    PortChooser = new QInputDialog(this);
    PortChooser->setObjectName("PortChooser");
    PortChooser->setWindowTitle("Zuordnen");
    PortChooser->setComboBoxEditable(true);
    PortChooser->setOkButtonText("OK");
    PortChooser->setCancelButtonText("Abbrechen");

    connect(portGroup, &QButtonGroup::buttonToggled, this, [this](QAbstractButton*, bool checked) {
        if (checked) {
            ShowNote({});
            ShowDevice();
        }
    });
    connect(MapBtn, &QPushButton::clicked, this, [this] { AssignDevice(); });
}

void TPSioDlg::SetDeviceMapping(qvt::PlatformSettings& settings, DeviceCheck check,
                                std::string settingsFile) {
    settings_ = &settings;
    check_ = std::move(check);
    settingsFile_ = std::move(settingsFile);
    ShowDevice();
}

std::size_t TPSioDlg::CheckedPort() const {
    const auto port = PortButtons();
    for (std::size_t i = 0; i < port.size(); ++i) {
        if (port[i]->isChecked())
            return i;
    }
    return 0;
}

void TPSioDlg::ShowDevice() {
    if (!settings_)
        return;
    const std::size_t port = CheckedPort();
    const std::string& device = settings_->serialDevices[port];
    const char* state = "nicht vorhanden";
    if (qvt::DevicePresent(device))
        state = busy_ && busy_(device) ? "belegt" : "vorhanden";
    DeviceLabel->setText(
        QString("COM%1: %2 (%3)").arg(port + 1).arg(QString::fromStdString(device)).arg(state));
}

void TPSioDlg::AssignDevice() {
    if (!settings_)
        return;
    const std::size_t port = CheckedPort();
    QStringList devices;
    for (const std::string& device : qvt::ListSerialDevices(deviceRoot_))
        devices << QString::fromStdString(device);
    PortChooser->setLabelText(QString("Gerät für COM%1:").arg(port + 1));
    PortChooser->setComboBoxItems(devices);
    PortChooser->setTextValue(QString::fromStdString(settings_->serialDevices[port]));
    if (PortChooser->exec() != QDialog::Accepted)
        return;
    const std::string device = DevicePath(PortChooser->textValue());
    if (device.empty())
        return;
    // A device that does not open is not kept: the next start would fail on it.
    if (const std::string problem = check_ ? check_(device) : std::string(); !problem.empty()) {
        ShowNote(problem);
        return;
    }
    settings_->serialDevices[port] = device;
    // When the file cannot be written, the assignment holds for this run.
    ShowNote(qvt::WriteSerialDevice(settingsFile_, static_cast<int>(port) + 1, device));
    ShowDevice();
}

void TPSioDlg::ShowNote(const std::string& note) {
    MapNote->setText(QString::fromStdString(note));
}

std::array<QRadioButton*, 6> TPSioDlg::BaudButtons() const {
    return {PsRBtn2, PsRBtn3, PsRBtn4, PsRBtn5, PsRBtn6, PsRBtn7};
}

std::array<QRadioButton*, 6> TPSioDlg::PortButtons() const {
    return {PcRBtn1, PcRBtn2, PcRBtn3, PcRBtn4, PcRBtn5, PcRBtn6};
}

void TPSioDlg::ShowValues(const qvt::PcPortValues& values) {
    const auto baud = BaudButtons();
    qvt::CheckAt({baud[0], baud[1], baud[2], baud[3], baud[4], baud[5]}, values.baud);
    const auto port = PortButtons();
    qvt::CheckAt({port[0], port[1], port[2], port[3], port[4], port[5]}, values.port);
    ShowNote({});
    ShowDevice();
}

qvt::PcPortValues TPSioDlg::Values() const {
    const auto baud = BaudButtons();
    int checked = -1;
    for (std::size_t i = 0; i < baud.size(); ++i) {
        if (baud[i]->isChecked())
            checked = static_cast<int>(i);
    }
    return {static_cast<int>(CheckedPort()), checked};
}
