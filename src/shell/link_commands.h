#pragma once

#include <QColor>
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "compose/qt_wake_up_timer.h"
#include "link/clock.h"
#include "link/telegram_monitor.h"
#include "link/transmission.h"
#include "platform/printer.h"
#include "platform/serial_port.h"
#include "shell/app_context.h"
#include "trend/model/trend_history.h"

class MonitorPanel;
class QAction;
class QWidget;
struct MainMenu;

namespace qvt {
struct DialogSet;
}

// The device link: serial port, Senden, and the telegram monitor with its log,
// driven by the port's notifications and the window's timers. Connects itself
// to the menu's items.
class LinkCommands : public QObject {
    Q_OBJECT
  public:
    // window: the parent of the message boxes; panel: where the monitor shows.
    LinkCommands(QWidget& window, MonitorPanel& panel, const MainMenu& menu,
                 qvt::DialogSet& dialogs, qvt::AppContext& context);
    ~LinkCommands() override;

    // Start-up: opens the configured serial port; a failure leaves it closed.
    void OpenAtStart();
    // Creation handler: starts reading the device's telegrams and gives the
    // display dialog its test value transmission.
    void StartMonitor();
    // Exit: restores and closes the serial port, closes the log file.
    void Shutdown();

    // The port named by PortIndex at the rate of BaudIndex; what the device
    // sent before is discarded.
    void OpenSerialPort();
    void ReopenSerialPort();
    void CloseSerialPort();

    void Senden1Click();
    void PCSIO1Click();
    void Datumzeigen1Click();
    void Drucken1Click();
    void Druckseitercksetzen1Click();
    void InDateispeichern1Click();

    // The display dialog's "TEST": sends the test value, returns the reply
    // byte, or nothing when none came.
    std::optional<std::uint8_t> SendTestValue(std::string_view testValue, int pointPosition);

    // Keeps the monitor from reading while the main thread does something
    // else that must not be interleaved with it (a transmission, programming).
    // Bytes wait in the port; they are handled after the last release.
    void HoldMonitor();
    void ReleaseMonitor();

    // Handles the bytes that have arrived (the port's arrival notification),
    // a slice at a time: what is left after a slice is handled once the event
    // loop has turned, so a stream never holds the window.
    void MonitorBytesArrived();

    // Replaceable for tests and measurements.
    // The clock of the telegrams' times too.
    void SetClock(std::shared_ptr<const qvt::Clock> clock);
    // The clock that measures how long the device has been quiet.
    void SetMonotonicClock(qvt::ConnectionWatch::Now now) {
        monitor_.connection().SetClock(std::move(now));
    }
    void SetPrinter(std::unique_ptr<qvt::Printer> printer) {
        monitor_.SetPrinter(std::move(printer));
    }
    using Slice = qvt::TelegramMonitor::Slice;
    void SetSlice(Slice slice) { monitor_.SetSlice(slice); }
    // The sync of the log files opened from now on.
    void SetLogSync(qvt::TelegramLog::Sync sync) { monitor_.SetLogSync(std::move(sync)); }
    qvt::SerialPort& port() { return *port_; }
    const qvt::TelegramLog& log() const { return monitor_.log(); }
    const qvt::TelegramPage& page() const { return monitor_.page(); }
    // Colour of the " Messwert " caption: red while a telegram arrives, white at rest.
    QColor IndicatorColour() const {
        return monitor_.receivingShown() ? QColor(Qt::red) : QColor(Qt::white);
    }

    using MonitorStats = qvt::TelegramMonitor::Stats;
    const MonitorStats& monitorStats() const { return monitor_.stats(); }
    // The measured values of every telegram received so far, for the trend window.
    const qvt::TrendHistory& trendHistory() const { return trend_; }

  private:
    bool MonitorMayRun() const;
    // Where a transmission puts the telegram bytes it reads in passing.
    qvt::TelegramBytes MonitorTakesOver();
    // Empty when the dialog may assign the device to a port name.
    std::string DeviceProblem(const std::string& device) const;
    QAction* Connect(QAction* item, void (LinkCommands::*handler)());

    QWidget& window_;
    MonitorPanel& panel_;
    qvt::DialogSet& dialogs_;
    qvt::AppContext& context_;
    std::unique_ptr<qvt::SerialPort> port_;
    std::shared_ptr<const qvt::Clock> clock_;
    qvt::QtWakeUpTimer silenceTimer_;
    qvt::TrendHistory trend_;
    qvt::TelegramMonitor monitor_;
    std::string openDevice_;  // the device the port is open on, if it is

    QAction* showTelegramItem_ = nullptr;
    QAction* printItem_ = nullptr;
    QTimer retry_;
    QTimer nextSlice_;
    int holds_ = 0;
    bool monitorStarted_ = false;
};
