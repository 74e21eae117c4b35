#include "shell/link_commands.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QTextEdit>
#include <filesystem>

#include "core/field_check.h"
#include "dialogs/az_dlg.h"
#include "dialogs/field_guard.h"
#include "dialogs/message_box.h"
#include "dialogs/psio_dlg.h"
#include "link/baud_table.h"
#include "link/transmission.h"
#include "platform/files/config_file_access.h"
#include "platform/qt/default_printer.h"
#include "platform/qt/qt_serial_port.h"
#include "platform/serial_devices.h"
#include "shell/main_window.h"

LinkCommands::LinkCommands(TForm1& form, qvt::AppContext& context)
    : form_(form),
      context_(context),
      port_(qvt::MakeQtSerialPort()),
      clock_(std::make_shared<qvt::SystemClock>()),
      printer_(qvt::MakeDefaultPrinter()),
      page_(context.state),
      display_(*form.AnzGroupBox, *form.AnzLabel) {
    Connect("Senden1", &LinkCommands::Senden1Click);
    Connect("PCSIO1", &LinkCommands::PCSIO1Click);
    showTelegramItem_ = Connect("Datumzeigen1", &LinkCommands::Datumzeigen1Click);
    printItem_ = Connect("Drucken1", &LinkCommands::Drucken1Click);
    Connect("Druckseitercksetzen1", &LinkCommands::Druckseitercksetzen1Click);
    logItem_ = Connect("InDateispeichern1", &LinkCommands::InDateispeichern1Click);

    // While the monitor must stand still, arrivals are looked at again shortly.
    retry_.setSingleShot(true);
    retry_.setInterval(50);
    connect(&retry_, &QTimer::timeout, this, &LinkCommands::MonitorBytesArrived);
    // A stream is handled a slice at a time, the event loop turning in between.
    nextSlice_.setSingleShot(true);
    nextSlice_.setInterval(0);
    connect(&nextSlice_, &QTimer::timeout, this, &LinkCommands::MonitorBytesArrived);

    port_->SetLineLostHandler([this] {
        openDevice_.clear();
        display_.LineLost();
    });
    display_.SetMonitorHeldCheck([this] { return monitorStarted_ && !MonitorMayRun(); });
}

LinkCommands::~LinkCommands() = default;

QAction* LinkCommands::Connect(const char* name, void (LinkCommands::*handler)()) {
    QAction* item = form_.action(name);
    if (item)
        connect(item, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    return item;
}

void LinkCommands::OpenAtStart() {
    OpenSerialPort();
}

void LinkCommands::StartMonitor() {
    monitorStarted_ = true;
    port_->SetBytesArrivedHandler([this] { MonitorBytesArrived(); });
    form_.dialogs().AzDlg->SetTestValueSender(
        [this](std::string_view testValue, int point) { return SendTestValue(testValue, point); });
    // Whatever arrived between opening and now.
    QTimer::singleShot(0, this, &LinkCommands::MonitorBytesArrived);
}

void LinkCommands::Shutdown() {
    CloseSerialPort();
    log_.Close();
}

// ---- Serial port -------------------------------------------------------------

void LinkCommands::OpenSerialPort() {
    const qvt::ApplicationState& s = context_.state;
    const std::string portName = qvt::PortNameForIndex(s.PortIndex);
    const std::string& device =
        context_.settings.SerialDeviceFor(qvt::PortNumberForIndex(s.PortIndex));
    if (!port_->Open(device, qvt::BaudRateForIndex(s.BaudIndex))) {
        // Not a message box, as designed; the measured-value frame says it.
        display_.OpenFailed(portName, device);
        return;
    }
    openDevice_ = device;
    display_.Opened(portName, device);
    qvt::DrainInput(*port_);
    assembler_.Restart();
}

void LinkCommands::CloseSerialPort() {
    port_->Close();
    openDevice_.clear();
}

std::string LinkCommands::DeviceProblem(const std::string& device) const {
    // The port we hold ourselves does not open a second time.
    if (port_->IsOpen() && device == openDevice_)
        return {};
    return qvt::SerialDeviceProblem(device);
}

void LinkCommands::ReopenSerialPort() {
    CloseSerialPort();
    OpenSerialPort();
}

void LinkCommands::PCSIO1Click() {
    TPSioDlg* dialog = form_.dialogs().PSioDlg;
    dialog->SetReopenHandler([this] { ReopenSerialPort(); });
    dialog->SetDeviceMapping(context_.settings,
                             [this](const std::string& device) { return DeviceProblem(device); });
    dialog->Prepare();
    dialog->exec();
    ReopenSerialPort();
}

// ---- Transmissions -----------------------------------------------------------

void LinkCommands::HoldMonitor() {
    ++holds_;
}

void LinkCommands::ReleaseMonitor() {
    if (holds_ > 0)
        --holds_;
    // Bytes that came in meanwhile raise no new notification.
    if (holds_ == 0 && monitorStarted_) {
        QTimer::singleShot(0, this, &LinkCommands::MonitorBytesArrived);
    }
}

void LinkCommands::Senden1Click() {
    // A text its telegram field cannot carry would reach the device as
    // another value: nothing is sent then.
    const std::vector<qvt::FieldFault> faults = qvt::CheckSentFields(context_.record);
    if (!faults.empty()) {
        qvt::ShowFieldFaults(&form_, faults);
        return;
    }
    HoldMonitor();
    const std::optional<std::uint8_t> reply =
        qvt::TransmitParameters(*port_, context_.record, *clock_);
    ReleaseMonitor();
    if (reply == qvt::kAcknowledge) {
        qvt::ShowMessage(&form_, QString::fromUtf8("Parameter fehlerfrei übertragen"),
                         qvt::Severity::Info);
    } else {
        qvt::ShowMessage(&form_, QString::fromUtf8("Fehler bei der Übertragung der Parameter"),
                         qvt::Severity::Error);
    }
}

std::optional<std::uint8_t> LinkCommands::SendTestValue(std::string_view testValue,
                                                        int pointPosition) {
    const auto point = pointPosition >= 1 && pointPosition <= 3
                           ? static_cast<qvt::TestValuePoint>(pointPosition)
                           : qvt::TestValuePoint::kNone;
    HoldMonitor();
    const std::optional<std::uint8_t> reply =
        qvt::TransmitTestValue(*port_, testValue, point, *clock_);
    ReleaseMonitor();
    return reply;
}

// ---- Display and log switches ------------------------------------------------

void LinkCommands::Datumzeigen1Click() {
    qvt::ApplicationState& s = context_.state;
    s.ShowTelegram = !s.ShowTelegram;
    if (showTelegramItem_)
        showTelegramItem_->setChecked(s.ShowTelegram);
    // The panel follows at the next telegram; the choice survives a restart.
    qvt::WriteShowTelegram(s.ShowTelegram, s.ConfigFilePath);
}

void LinkCommands::Drucken1Click() {
    qvt::ApplicationState& s = context_.state;
    s.PrintEnabled = s.PrintEnabled ? 0 : 1;
    if (printItem_)
        printItem_->setChecked(s.PrintEnabled != 0);
    form_.SetFormWidth(s.PrintEnabled ? 660 : 455);
}

void LinkCommands::Druckseitercksetzen1Click() {
    page_.Reset();
    form_.RichEdit1->clear();
}

void LinkCommands::InDateispeichern1Click() {
    qvt::ApplicationState& s = context_.state;
    if (s.LogEnabled) {
        if (!StopLogging())
            qvt::ShowMessage(&form_, kLogFailed, qvt::Severity::Error);
        return;
    }
    s.LogEnabled = 1;
    if (logItem_)
        logItem_->setChecked(true);
    std::error_code error;
    if (!log_.Open(qvt::LocalTime(clock_->Now()), std::filesystem::current_path(error))) {
        // No free name of the day, or no file: logging that keeps nothing
        // must not look as if it were on.
        StopLogging();
        qvt::ShowMessage(&form_, kLogFailed, qvt::Severity::Error);
    }
}

bool LinkCommands::StopLogging() {
    qvt::ApplicationState& s = context_.state;
    s.LogEnabled = 0;
    if (logItem_)
        logItem_->setChecked(false);
    const bool synced = log_.Close();
    form_.FileGroupBox->setTitle(" Parameterdatei ");
    form_.FileLabel->setText(QString::fromStdString(s.CurrentFileName));
    return synced;
}
