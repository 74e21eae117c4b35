#pragma once

#include <QColor>
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "link/clock.h"
#include "link/telegram_assembler.h"
#include "link/telegram_log.h"
#include "link/telegram_page.h"
#include "platform/printer.h"
#include "platform/serial_port.h"
#include "shell/app_context.h"
#include "shell/connection_display.h"

class QAction;
class TForm1;

// The device link: serial port, Senden, the telegram monitor and the telegram log.
// Connects itself to the main window's menu items by name.
class LinkCommands : public QObject {
    Q_OBJECT
  public:
    LinkCommands(TForm1& form, qvt::AppContext& context);
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
    void SetClock(std::shared_ptr<const qvt::Clock> clock) { clock_ = std::move(clock); }
    // The clock that measures how long the device has been quiet.
    void SetMonotonicClock(ConnectionDisplay::Now now) { display_.SetClock(std::move(now)); }
    void SetPrinter(std::unique_ptr<qvt::Printer> printer) { printer_ = std::move(printer); }
    // One slice of the monitor's work: the line brings a 27-byte telegram
    // every 14.6 ms at 19200 baud; a slice handles a backlog of many
    // telegrams and still lets the window repaint and answer keys and menus
    // between slices.
    struct Slice {
        int bytes = 512;
        std::int64_t nanoseconds = 10'000'000;
    };
    void SetSlice(Slice slice) { slice_ = slice; }
    // The sync of the log files opened from now on.
    void SetLogSync(qvt::TelegramLog::Sync sync) { log_.SetSync(std::move(sync)); }
    qvt::SerialPort& port() { return *port_; }
    const qvt::TelegramLog& log() const { return log_; }
    const qvt::TelegramPage& page() const { return page_; }
    // Colour of the " Messwert " caption: red while a telegram arrives, white at rest.
    QColor IndicatorColour() const { return indicator_; }

    struct MonitorStats {
        std::int64_t telegrams = 0;
        std::int64_t busyNanoseconds = 0;  // time spent handling bytes and telegrams
    };
    const MonitorStats& monitorStats() const { return stats_; }

  private:
    static constexpr const char* kLogFailed = "Protokolldatei kann nicht geschrieben werden";

    bool MonitorMayRun() const;
    // Empty when the dialog may assign the device to a port name.
    std::string DeviceProblem(const std::string& device) const;
    void HandleTelegram(const qvt::ReceivedTelegram& telegram);
    void LogStep(const std::string& text);
    // Logging off, with its check mark and the file label; false when a line
    // of the log may not have reached the disk.
    bool StopLogging();
    void ListStep(const std::string& text);
    void AppendListLine(const std::string& text);
    void ShowListLines();
    // Failures found while handling a slice are shown after it, once the
    // monitor's own state is complete; bytes wait in the port meanwhile.
    void ReportAfterSlice(const QString& text);
    void ShowReports();
    void SetIndicator(const QColor& colour);
    QAction* Connect(const char* name, void (LinkCommands::*handler)());

    TForm1& form_;
    qvt::AppContext& context_;
    std::unique_ptr<qvt::SerialPort> port_;
    std::shared_ptr<const qvt::Clock> clock_;
    std::unique_ptr<qvt::Printer> printer_;
    qvt::TelegramAssembler assembler_;
    qvt::TelegramLog log_;
    qvt::TelegramPage page_;

    ConnectionDisplay display_;
    std::string openDevice_;  // the device the port is open on, if it is

    QAction* showTelegramItem_ = nullptr;
    QAction* printItem_ = nullptr;
    QAction* logItem_ = nullptr;
    QTimer retry_;
    QTimer nextSlice_;
    std::vector<QString> reports_;
    int holds_ = 0;
    bool inMonitor_ = false;
    bool monitorStarted_ = false;
    QColor indicator_{Qt::white};
    MonitorStats stats_;
    Slice slice_;
};
