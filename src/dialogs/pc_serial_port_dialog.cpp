#include "dialogs/pc_serial_port_dialog.h"

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
#include "platform/help_topics.h"
#include "platform/serial_devices.h"
#include "platform/settings_writer.h"

namespace qvt::dialogs {
namespace {

// A typed name without a folder means a device: "ttyUSB3" is /dev/ttyUSB3.
std::string DevicePath(const QString& typed) {
    const QString path = typed.trimmed();
    if (path.isEmpty() || path.startsWith('/'))
        return path.toStdString();
    return "/dev/" + path.toStdString();
}

}  // namespace

PcSerialPortDialog::PcSerialPortDialog(QWidget* parent) : OkCancelDialog(parent) {
    setObjectName("PSioDlg");
    setWindowTitle("Serielle Schnittstelle PC");
    AddHelpButton(help::topic::kPcSerialPort);
    QFrame* area = ControlArea();

    auto* baudGroup = new QButtonGroup(this);
    auto* baudColumn = new QVBoxLayout;
    // The baud buttons are named from PsRBtn2 on.
    const char* baudCaptions[] = {"300  Baud", "600  Baud", "1200 Baud",
                                  "2400 Baud", "4800 Baud", "9600 Baud"};
    for (std::size_t i = 0; i < baudButtons_.size(); ++i) {
        const QByteArray name = "PsRBtn" + QByteArray::number(static_cast<int>(i) + 2);
        baudButtons_[i] = MakeRadio(area, name.constData(), baudCaptions[i], baudGroup);
        baudColumn->addWidget(baudButtons_[i]);
    }

    QGroupBox* portBox = MakeGroup(area, "GroupBox1", "PC-SIO");
    auto* portGroup = new QButtonGroup(this);
    auto* portColumn = new QVBoxLayout(portBox);
    for (std::size_t i = 0; i < portButtons_.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        const QByteArray name = "PcRBtn" + QByteArray::number(number);
        portButtons_[i] =
            MakeRadio(portBox, name.constData(), QString("COM%1").arg(number), portGroup);
        portColumn->addWidget(portButtons_[i]);
    }

    auto* row = new QHBoxLayout;
    row->addLayout(baudColumn);
    row->addWidget(portBox);

    deviceLabel_ = new QLabel(area);
    deviceLabel_->setObjectName("DeviceLabel");
    deviceLabel_->setTextFormat(Qt::PlainText);
    assignButton_ = new QPushButton("Zuordnen...", area);
    assignButton_->setObjectName("MapBtn");
    assignmentNote_ = new QLabel(area);
    assignmentNote_->setObjectName("MapNote");
    assignmentNote_->setTextFormat(Qt::PlainText);
    assignmentNote_->setStyleSheet("color: red;");
    assignmentNote_->setWordWrap(true);
    assignmentNote_->setFixedWidth(220);
    auto* mapRow = new QHBoxLayout;
    mapRow->addWidget(assignButton_, 0, Qt::AlignTop);
    mapRow->addWidget(assignmentNote_, 1);

    auto* column = new QVBoxLayout(area);
    column->addLayout(row);
    column->addWidget(deviceLabel_);
    column->addLayout(mapRow);

    deviceChooser_ = new QInputDialog(this);
    deviceChooser_->setObjectName("PortChooser");
    deviceChooser_->setWindowTitle("Zuordnen");
    deviceChooser_->setComboBoxEditable(true);
    deviceChooser_->setOkButtonText("OK");
    deviceChooser_->setCancelButtonText("Abbrechen");

    connect(portGroup, &QButtonGroup::buttonToggled, this, [this](QAbstractButton*, bool checked) {
        if (checked) {
            ShowNote({});
            ShowDevice();
        }
    });
    connect(assignButton_, &QPushButton::clicked, this, [this] { AssignDevice(); });
}

void PcSerialPortDialog::SetDeviceMapping(PlatformSettings& settings, DeviceCheck check,
                                          std::string settingsFile) {
    settings_ = &settings;
    check_ = std::move(check);
    settingsFile_ = std::move(settingsFile);
    ShowDevice();
}

std::size_t PcSerialPortDialog::CheckedPort() const {
    for (std::size_t i = 0; i < portButtons_.size(); ++i) {
        if (portButtons_[i]->isChecked())
            return i;
    }
    return 0;
}

void PcSerialPortDialog::ShowDevice() {
    if (!settings_)
        return;
    const std::size_t port = CheckedPort();
    const std::string& device = settings_->serialDevices[port];
    const char* state = "nicht vorhanden";
    if (DevicePresent(device))
        state = busy_ && busy_(device) ? "belegt" : "vorhanden";
    deviceLabel_->setText(
        QString("COM%1: %2 (%3)").arg(port + 1).arg(QString::fromStdString(device)).arg(state));
}

void PcSerialPortDialog::AssignDevice() {
    if (!settings_)
        return;
    const std::size_t port = CheckedPort();
    QStringList devices;
    for (const std::string& device : ListSerialDevices(deviceRoot_))
        devices << QString::fromStdString(device);
    deviceChooser_->setLabelText(QString("Gerät für COM%1:").arg(port + 1));
    deviceChooser_->setComboBoxItems(devices);
    deviceChooser_->setTextValue(QString::fromStdString(settings_->serialDevices[port]));
    if (deviceChooser_->exec() != QDialog::Accepted)
        return;
    const std::string device = DevicePath(deviceChooser_->textValue());
    if (device.empty())
        return;
    // A device that does not open is not kept: the next start would fail on it.
    if (const std::string problem = check_ ? check_(device) : std::string(); !problem.empty()) {
        ShowNote(problem);
        return;
    }
    settings_->serialDevices[port] = device;
    // When the file cannot be written, the assignment holds for this run.
    ShowNote(WriteSerialDevice(settingsFile_, static_cast<int>(port) + 1, device));
    ShowDevice();
}

void PcSerialPortDialog::ShowNote(const std::string& note) {
    assignmentNote_->setText(QString::fromStdString(note));
}

void PcSerialPortDialog::ShowValues(const PcPortValues& values) {
    CheckAt(baudButtons_, values.baud);
    CheckAt(portButtons_, values.port);
    ShowNote({});
    ShowDevice();
}

PcPortValues PcSerialPortDialog::Values() const {
    int checked = -1;
    for (std::size_t i = 0; i < baudButtons_.size(); ++i) {
        if (baudButtons_[i]->isChecked())
            checked = static_cast<int>(i);
    }
    return {static_cast<int>(CheckedPort()), checked};
}

bool PcSerialPortDialog::IsOwnWindow(const QWidget* window) const {
    return window == this || window == deviceChooser_;
}

}  // namespace qvt::dialogs
