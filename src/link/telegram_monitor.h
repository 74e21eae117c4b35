#pragma once

#include <cstdint>
#include <ctime>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/application_state.h"
#include "link/connection_watch.h"
#include "link/monitor_view.h"
#include "link/telegram_assembler.h"
#include "link/telegram_log.h"
#include "link/telegram_page.h"
#include "platform/printer.h"
#include "platform/serial_port.h"

namespace qvt {

// The telegram monitor: assembles the device's telegrams from the bytes the
// port has received, shows each on the view, writes it to the log file while
// logging is on and adds it to the list (the page to be printed) while
// printing is on. It keeps no event loop: its owner calls HandleSlice() when
// bytes have arrived, and again soon when a slice says more are waiting, and
// calls the connection watch's CheckSilence() when its timer fires.
class TelegramMonitor {
  public:
    // How much one call handles at most. The line brings a 27-byte telegram
    // every 14.6 ms at 19200 baud; a slice handles a backlog of many
    // telegrams, and between slices a window still repaints and answers keys
    // and menus.
    struct Slice {
        int bytes = 512;
        std::int64_t nanoseconds = 10'000'000;
    };
    struct Stats {
        std::int64_t telegrams = 0;
        std::int64_t busyNanoseconds = 0;  // time spent handling bytes and telegrams
    };
    enum class SliceEnd { kAllRead, kMoreWaiting };

    // Told when logging had to stop because lines did not reach the file.
    static constexpr const char* kLogFailed = "Protokolldatei kann nicht geschrieben werden";

    // The state gives "Telegramm zeigen", the logging and printing switches,
    // the page counters and the parameter file's name.
    TelegramMonitor(SerialPort& port, ApplicationState& state, MonitorView& view,
                    WakeUpTimer& silenceTimer, std::unique_ptr<Printer> printer);

    // The port has been opened on the device: what it sent before is
    // discarded, and a telegram begun before is forgotten.
    void PortOpened(const std::string& portName, const std::string& device);
    void PortOpenFailed(const std::string& portName, const std::string& device, bool busy = false);
    // The open port has closed itself.
    void LineLost();

    // Reads and handles the bytes that have arrived, one slice's worth.
    SliceEnd HandleSlice();
    // Bytes of the device's telegrams that a transmission read off the port
    // while the monitor stood still: handled, in order, before the port's
    // next bytes, so no telegram is lost or cut by a transmission.
    void TakeOver(const ReceivedByte& byte) { takenOver_.push_back(byte); }
    // True while a slice is being handled (a page may be printing meanwhile).
    bool busy() const { return busy_; }
    // Shows the failures found while handling, each once: called after the
    // slice, once the monitor's own state is complete.
    void ReportFailures();

    // "In Datei speichern": logging into the first free file of the day in
    // the folder. False when there is none or it cannot be created; logging
    // is off then.
    bool StartLogging(const std::tm& localDate, const std::filesystem::path& folder);
    // False when a line of the log may not have reached the disk.
    bool StopLogging();
    // The program ends: the log file is closed as it stands.
    void CloseLog() { log_.Close(); }
    // "Druckseite löschen": an empty list, the next footer reads page 1.
    void ResetPage();

    ConnectionWatch& connection() { return connection_; }
    void SetSlice(Slice slice) { slice_ = slice; }
    void SetPrinter(std::unique_ptr<Printer> printer) { printer_ = std::move(printer); }
    // Every complete telegram is handed on here too, after it was shown.
    using TelegramSink = std::function<void(const ReceivedTelegram&)>;
    void SetTelegramSink(TelegramSink sink) { sink_ = std::move(sink); }
    // The sync of the log files opened from now on.
    void SetLogSync(TelegramLog::Sync sync) { log_.SetSync(std::move(sync)); }

    const TelegramLog& log() const { return log_; }
    const TelegramPage& page() const { return page_; }
    const Stats& stats() const { return stats_; }
    // Whether the receive indicator is on.
    bool receivingShown() const { return receivingShown_; }

  private:
    ReceivedByte NextByte();
    void HandleTelegram(const ReceivedTelegram& telegram);
    void LogStep(const std::string& text);
    void ListStep(const std::string& text);
    void ShowListLines();
    void ShowReceiving(bool receiving);
    void ReportAfterSlice(const std::string& text);

    SerialPort& port_;
    ApplicationState& state_;
    MonitorView& view_;
    std::unique_ptr<Printer> printer_;
    TelegramSink sink_;
    ConnectionWatch connection_;
    TelegramAssembler assembler_;
    TelegramLog log_;
    TelegramPage page_;
    Slice slice_;
    Stats stats_;
    std::vector<std::string> reports_;
    std::deque<ReceivedByte> takenOver_;
    bool busy_ = false;
    bool receivingShown_ = false;
};

}  // namespace qvt
