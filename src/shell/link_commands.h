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

class QAction;
class QWidget;

namespace qvt {

class MonitorPanel;
struct DialogSet;
struct MainMenu;

// The device link: serial port, "Sen&den", and the telegram monitor with its
// log, driven by the port's notifications and the window's timers. Connects
// itself to the menu's items.
class LinkCommands : public QObject {
    Q_OBJECT
  public:
    // window: the parent of the message boxes; panel: where the monitor shows.
    LinkCommands(QWidget& window, MonitorPanel& panel, const MainMenu& menu, DialogSet& dialogs,
                 AppContext& context);
    ~LinkCommands() override;

    // Start-up: opens the configured serial port; a failure leaves it closed.
    void OpenAtStart();
    // Once the window stands: starts reading the device's telegrams and gives the
    // display dialog its test value transmission.
    void StartMonitor();
    // Exit: restores and closes the serial port, closes the log file.
    void Shutdown();

    // The port named by PortIndex at the rate of BaudIndex; what the device
    // sent before is discarded.
    void OpenSerialPort();
    void ReopenSerialPort();
    void CloseSerialPort();

    // "Sen&den": checks the record's fields, sends the parameter set and
    // reports whether the device acknowledged it.
    void SendParameters();
    // "&PC-SIO...": the dialog of this PC's serial port; reopens the port.
    void ChoosePcSerialPort();
    // "Telegramm zeigen": the panel with the last telegram, kept in the
    // configuration file.
    void ToggleTelegramPanel();
    // "&Drucken": prints the telegrams and shows their list beside the value.
    void TogglePrinting();
    // "D&ruckseite löschen": an empty list, the next footer reads page 1.
    void ClearPrintPage();
    // "In Datei speichern": starts or stops the telegram log file.
    void ToggleLogToFile();

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
    void SetClock(std::shared_ptr<const Clock> clock);
    // The clock that measures how long the device has been quiet.
    void SetMonotonicClock(ConnectionWatch::Now now) {
        monitor_.connection().SetClock(std::move(now));
    }
    void SetPrinter(std::unique_ptr<Printer> printer) { monitor_.SetPrinter(std::move(printer)); }
    using Slice = TelegramMonitor::Slice;
    void SetSlice(Slice slice) { monitor_.SetSlice(slice); }
    // The sync of the log files opened from now on.
    void SetLogSync(TelegramLog::Sync sync) { monitor_.SetLogSync(std::move(sync)); }
    SerialPort& port() { return *port_; }
    const TelegramLog& log() const { return monitor_.log(); }
    const TelegramPage& page() const { return monitor_.page(); }
    // Colour of the " Messwert " caption: red while a telegram arrives, white at rest.
    QColor IndicatorColour() const {
        return monitor_.receivingShown() ? QColor(Qt::red) : QColor(Qt::white);
    }

    using MonitorStats = TelegramMonitor::Stats;
    const MonitorStats& monitorStats() const { return monitor_.stats(); }
    // The measured values of every telegram received so far, for the trend window.
    const TrendHistory& trendHistory() const { return trend_; }

  private:
    bool MonitorMayRun() const;
    // Where a transmission puts the telegram bytes it reads in passing.
    TelegramBytes MonitorTakesOver();
    // Empty when the dialog may assign the device to a port name.
    std::string DeviceProblem(const std::string& device) const;
    QAction* Connect(QAction* item, void (LinkCommands::*handler)());

    QWidget& window_;
    MonitorPanel& panel_;
    DialogSet& dialogs_;
    AppContext& context_;
    std::unique_ptr<SerialPort> port_;
    std::shared_ptr<const Clock> clock_;
    QtWakeUpTimer silenceTimer_;
    TrendHistory trend_;
    TelegramMonitor monitor_;
    std::string openDevice_;  // the device the port is open on, if it is

    QAction* showTelegramItem_ = nullptr;
    QAction* printItem_ = nullptr;
    QTimer retry_;
    QTimer nextSlice_;
    int holds_ = 0;
    bool monitorStarted_ = false;
};

}  // namespace qvt
