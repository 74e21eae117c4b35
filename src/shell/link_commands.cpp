#include "shell/link_commands.h"

#include <QAction>
#include <QWidget>
#include <filesystem>

#include "compose/serial_target.h"
#include "core/dialog_values.h"
#include "core/field_check.h"
#include "core/platform_settings.h"
#include "dialogs/display_dialog.h"
#include "dialogs/field_guard.h"
#include "dialogs/message_box.h"
#include "dialogs/pc_serial_port_dialog.h"
#include "link/baud_table.h"
#include "link/transmission.h"
#include "platform/files/config_file_access.h"
#include "platform/qt/default_printer.h"
#include "platform/qt/qt_serial_port.h"
#include "platform/serial_devices.h"
#include "shell/dialog_set.h"
#include "shell/main_menu.h"
#include "shell/monitor_panel.h"

namespace qvt {

LinkCommands::LinkCommands(QWidget& window, MonitorPanel& panel, const MainMenu& menu,
                           qvt::DialogSet& dialogs, qvt::AppContext& context)
    : window_(window),
      panel_(panel),
      dialogs_(dialogs),
      context_(context),
      port_(qvt::MakeQtSerialPort()),
      clock_(std::make_shared<qvt::SystemClock>()),
      silenceTimer_([this] { monitor_.connection().CheckSilence(); }),
      monitor_(*port_, context.state, panel, silenceTimer_, qvt::MakeDefaultPrinter()) {
    Connect(menu.sendItem, &LinkCommands::SendParameters);
    Connect(menu.pcSerialItem, &LinkCommands::ChoosePcSerialPort);
    showTelegramItem_ = Connect(menu.showTelegramsItem, &LinkCommands::ToggleTelegramPanel);
    printItem_ = Connect(menu.printItem, &LinkCommands::TogglePrinting);
    Connect(menu.clearPrintPageItem, &LinkCommands::ClearPrintPage);
    Connect(menu.logToFileItem, &LinkCommands::ToggleLogToFile);

    // While the monitor must stand still, arrivals are looked at again shortly.
    retry_.setSingleShot(true);
    retry_.setInterval(50);
    connect(&retry_, &QTimer::timeout, this, &LinkCommands::MonitorBytesArrived);
    // A stream is handled a slice at a time, the event loop turning in between.
    nextSlice_.setSingleShot(true);
    nextSlice_.setInterval(0);
    connect(&nextSlice_, &QTimer::timeout, this, &LinkCommands::MonitorBytesArrived);

    // The PC port chosen with "OK" is used at once, and from the next start
    // on as well.
    connect(dialogs_.pcSerialPortDialog, &qvt::dialogs::OkCancelDialog::Committed, this, [this] {
        qvt::ApplicationState& s = context_.state;
        qvt::Commit(dialogs_.pcSerialPortDialog->Values(), s);
        ReopenSerialPort();
        qvt::WriteSerialSettings(s.portIndex, s.baudIndex, s.configFilePath);
    });
    // The trend collects from the first telegram on, window open or not.
    monitor_.SetTelegramSink(
        [this](const qvt::ReceivedTelegram& telegram) { trend_.Add(telegram.arrived, telegram); });
    port_->SetLineLostHandler([this] {
        openDevice_.clear();
        trend_.MarkInterruption();
        monitor_.LineLost();
    });
    monitor_.connection().SetHeldCheck([this] { return monitorStarted_ && !MonitorMayRun(); });
}

LinkCommands::~LinkCommands() = default;

QAction* LinkCommands::Connect(QAction* item, void (LinkCommands::*handler)()) {
    connect(item, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    return item;
}

void LinkCommands::OpenAtStart() {
    OpenSerialPort();
}

void LinkCommands::StartMonitor() {
    monitorStarted_ = true;
    port_->SetBytesArrivedHandler([this] { MonitorBytesArrived(); });
    dialogs_.displayDialog->SetTestValueSender(
        [this](std::string_view testValue, int point) { return SendTestValue(testValue, point); });
    // Whatever arrived between opening and now.
    QTimer::singleShot(0, this, &LinkCommands::MonitorBytesArrived);
}

void LinkCommands::Shutdown() {
    CloseSerialPort();
    monitor_.CloseLog();
}

// ---- Serial port -------------------------------------------------------------

void LinkCommands::OpenSerialPort() {
    const qvt::SerialTarget target = qvt::SerialTargetFor(context_.state, context_.settings);
    if (!port_->Open(target.device, target.baudRate)) {
        // No message box, which would come up at every start without the
        // device: the measured-value frame says it, and whether another
        // program holds the port.
        monitor_.PortOpenFailed(target.portName, target.device,
                                qvt::SerialDeviceBusy(target.device));
        return;
    }
    openDevice_ = target.device;
    monitor_.PortOpened(target.portName, target.device);
}

void LinkCommands::CloseSerialPort() {
    trend_.MarkInterruption();
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

void LinkCommands::ChoosePcSerialPort() {
    qvt::dialogs::PcSerialPortDialog* dialog = dialogs_.pcSerialPortDialog;
    dialog->SetDeviceMapping(
        context_.settings, [this](const std::string& device) { return DeviceProblem(device); },
        qvt::PlatformSettingsPathBeside(context_.state.configFilePath));
    // The port we hold ourselves is not held by another program.
    dialog->SetBusyCheck([this](const std::string& device) {
        return !(port_->IsOpen() && device == openDevice_) && qvt::SerialDeviceBusy(device);
    });
    dialog->ShowValues(qvt::PcPortValuesOf(context_.state));
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

qvt::TelegramBytes LinkCommands::MonitorTakesOver() {
    return [this](const qvt::ReceivedByte& byte) { monitor_.TakeOver(byte); };
}

void LinkCommands::SetClock(std::shared_ptr<const qvt::Clock> clock) {
    clock_ = std::move(clock);
    port_->SetArrivalClock([clock = clock_] { return clock->Now(); });
}

void LinkCommands::SendParameters() {
    // A text its telegram field cannot carry would reach the device as
    // another value: nothing is sent then.
    const std::vector<qvt::FieldFault> faults = qvt::CheckSentFields(context_.record);
    if (!faults.empty()) {
        qvt::ShowFieldFaults(&window_, faults);
        return;
    }
    HoldMonitor();
    const std::optional<std::uint8_t> reply =
        qvt::TransmitParameters(*port_, context_.record, *clock_, MonitorTakesOver());
    ReleaseMonitor();
    if (reply == qvt::kAcknowledge) {
        qvt::ShowMessage(&window_, QString::fromUtf8("Parameter fehlerfrei übertragen"),
                         qvt::Severity::kInfo);
    } else {
        qvt::ShowMessage(&window_, QString::fromUtf8("Fehler bei der Übertragung der Parameter"),
                         qvt::Severity::kError);
    }
}

std::optional<std::uint8_t> LinkCommands::SendTestValue(std::string_view testValue,
                                                        int pointPosition) {
    const auto point = pointPosition >= 1 && pointPosition <= 3
                           ? static_cast<qvt::TestValuePoint>(pointPosition)
                           : qvt::TestValuePoint::kNone;
    HoldMonitor();
    const std::optional<std::uint8_t> reply =
        qvt::TransmitTestValue(*port_, testValue, point, *clock_, MonitorTakesOver());
    ReleaseMonitor();
    return reply;
}

// ---- Display and log switches ------------------------------------------------

void LinkCommands::ToggleTelegramPanel() {
    qvt::ApplicationState& s = context_.state;
    s.showTelegram = !s.showTelegram;
    if (showTelegramItem_)
        showTelegramItem_->setChecked(s.showTelegram);
    // The panel follows at the next telegram; the choice survives a restart.
    qvt::WriteShowTelegram(s.showTelegram, s.configFilePath);
}

void LinkCommands::TogglePrinting() {
    qvt::ApplicationState& s = context_.state;
    s.printEnabled = s.printEnabled ? 0 : 1;
    if (printItem_)
        printItem_->setChecked(s.printEnabled != 0);
    panel_.ShowList(s.printEnabled != 0);
}

void LinkCommands::ClearPrintPage() {
    monitor_.ResetPage();
}

void LinkCommands::ToggleLogToFile() {
    const bool stopping = context_.state.logEnabled != 0;
    std::error_code error;
    const bool ok = stopping ? monitor_.StopLogging()
                             : monitor_.StartLogging(qvt::LocalTime(clock_->Now()),
                                                     std::filesystem::current_path(error));
    if (!ok)
        qvt::ShowMessage(&window_, qvt::TelegramMonitor::kLogFailed, qvt::Severity::kError);
}

}  // namespace qvt
