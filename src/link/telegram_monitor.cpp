#include "link/telegram_monitor.h"

#include <algorithm>
#include <chrono>

#include "link/transmission.h"

namespace qvt {
namespace {

constexpr const char* kNoPrinter = "Kein Drucker verfügbar";

}  // namespace

TelegramMonitor::TelegramMonitor(SerialPort& port, ApplicationState& state, MonitorView& view,
                                 WakeUpTimer& silenceTimer, std::unique_ptr<Printer> printer)
    : port_(port),
      state_(state),
      view_(view),
      printer_(std::move(printer)),
      connection_(view, silenceTimer),
      page_(state) {}

void TelegramMonitor::PortOpened(const std::string& portName, const std::string& device) {
    connection_.Opened(portName, device);
    DrainInput(port_);
    takenOver_.clear();
    assembler_.Restart();
}

void TelegramMonitor::PortOpenFailed(const std::string& portName, const std::string& device,
                                     bool busy) {
    connection_.OpenFailed(portName, device, busy);
}

void TelegramMonitor::LineLost() {
    connection_.LineLost();
}

TelegramMonitor::SliceEnd TelegramMonitor::HandleSlice() {
    busy_ = true;
    const auto start = std::chrono::steady_clock::now();
    const auto elapsed = [&start] {
        return std::chrono::duration_cast<std::chrono::nanoseconds>(
                   std::chrono::steady_clock::now() - start)
            .count();
    };
    SliceEnd end = SliceEnd::kAllRead;
    for (int handled = 0;; ++handled) {
        // A slice never ends between a CR and the trailing byte that may
        // follow it: whether that byte is there is decided now, not after
        // the event loop has turned.
        if (!assembler_.AwaitingTrailingByte() &&
            (handled >= slice_.bytes || elapsed() >= slice_.nanoseconds)) {
            end = SliceEnd::kMoreWaiting;
            break;
        }
        const ReceivedByte byte = NextByte();
        const std::optional<ReceivedTelegram> telegram =
            byte.value < 0 ? assembler_.NoMoreBytes()
                           : assembler_.Feed(static_cast<std::uint8_t>(byte.value), byte.arrived);
        if (telegram)
            HandleTelegram(*telegram);
        if (byte.value < 0)
            break;
    }
    // On while a telegram is coming in, off once its CR was there.
    ShowReceiving(assembler_.Receiving());
    stats_.busyNanoseconds += elapsed();
    busy_ = false;
    return end;
}

ReceivedByte TelegramMonitor::NextByte() {
    if (takenOver_.empty())
        return port_.ReadReceivedByte();
    const ReceivedByte byte = takenOver_.front();
    takenOver_.pop_front();
    return byte;
}

void TelegramMonitor::HandleTelegram(const ReceivedTelegram& telegram) {
    ++stats_.telegrams;
    ShowReceiving(false);
    view_.ShowTelegram(telegram.text, telegram.value, state_.showTelegram);
    view_.TelegramReceived(telegram);
    connection_.TelegramShown();
    if (sink_)
        sink_(telegram);
    LogStep(telegram.text);
    ListStep(telegram.text);
}

void TelegramMonitor::ShowReceiving(bool receiving) {
    if (receiving == receivingShown_)
        return;
    receivingShown_ = receiving;
    view_.ShowReceiving(receiving);
}

// ---- Log file ------------------------------------------------------------------

bool TelegramMonitor::StartLogging(const std::tm& localDate, const std::filesystem::path& folder) {
    state_.logEnabled = 1;
    view_.ShowLogging(true);
    if (log_.Open(localDate, folder))
        return true;
    // No free name of the day, or no file: logging that keeps nothing must
    // not look as if it were on.
    StopLogging();
    return false;
}

bool TelegramMonitor::StopLogging() {
    state_.logEnabled = 0;
    view_.ShowLogging(false);
    const bool synced = log_.Close();
    view_.ShowParameterFile(state_.currentFileName);
    return synced;
}

void TelegramMonitor::LogStep(const std::string& text) {
    if (!state_.logEnabled || !log_.isOpen())
        return;
    if (!log_.Write(text)) {
        // Disk full, medium gone, or the lines do not reach the disk: said
        // once, and the telegrams go on being shown.
        StopLogging();
        ReportAfterSlice(kLogFailed);
        return;
    }
    view_.ShowLogFile(log_.fileName());
}

// ---- List and printed page -------------------------------------------------------

void TelegramMonitor::ListStep(const std::string& text) {
    if (!state_.printEnabled)
        return;
    switch (page_.Add(text, *printer_)) {
        case TelegramPage::Outcome::kCollected:
            view_.AppendListLine(text);
            break;
        case TelegramPage::Outcome::kRestarted:
            view_.ClearList();
            view_.AppendListLine(text);
            break;
        case TelegramPage::Outcome::kPrinted:
            ShowListLines();
            break;
        case TelegramPage::Outcome::kPrintFailed:
            ShowListLines();
            ReportAfterSlice(kNoPrinter);
            break;
    }
}

void TelegramMonitor::ShowListLines() {
    view_.ClearList();
    for (const std::string& line : page_.Lines()) view_.AppendListLine(line);
}

void TelegramMonitor::ResetPage() {
    page_.Reset();
    view_.ClearList();
}

// ---- Failures ----------------------------------------------------------------------

void TelegramMonitor::ReportAfterSlice(const std::string& text) {
    if (std::find(reports_.begin(), reports_.end(), text) == reports_.end())
        reports_.push_back(text);
}

void TelegramMonitor::ReportFailures() {
    std::vector<std::string> reports;
    reports.swap(reports_);
    for (const std::string& text : reports) view_.ReportError(text);
}

}  // namespace qvt
