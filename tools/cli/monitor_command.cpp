// monitor: the device's telegrams through the application's monitor and log,
// one line each, waiting on the port in the event loop while the line is quiet.
#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "commands.h"
#include "compose/qt_wake_up_timer.h"
#include "exit_code.h"
#include "interrupt.h"
#include "link/clock.h"
#include "link/telegram_monitor.h"
#include "link/telegram_value.h"
#include "telegram_format.h"

namespace cli {
namespace {

class ConsoleMonitorView : public qvt::MonitorView {
  public:
    ConsoleMonitorView(std::FILE* out, OutputFormat format, long count)
        : out_(out), format_(format), count_(count) {}

    void TelegramReceived(const qvt::ReceivedTelegram& telegram) override {
        if (done()) {
            // The rest of a slice after the last one asked for: told before
            // the monitor logs it, so the log holds what was printed.
            if (beyondCount_)
                beyondCount_();
            return;
        }
        const std::string line = FormatTelegram(format_, IsoLocalTime(telegram.arrived),
                                                qvt::ReadMeasuredValue(telegram), telegram.text);
        std::fprintf(out_, "%s\n", line.c_str());
        std::fflush(out_);
        ++shown_;
    }
    void ReportError(std::string_view text) override {
        std::fprintf(stderr, "qvt410-cli: %.*s\n", static_cast<int>(text.size()), text.data());
        logFailed_ = logFailed_ || text == qvt::TelegramMonitor::kLogFailed;
    }
    bool done() const { return count_ > 0 && shown_ >= count_; }
    // The monitor has switched logging off because lines did not reach the file.
    bool logFailed() const { return logFailed_; }
    void SetBeyondCount(std::function<void()> handler) { beyondCount_ = std::move(handler); }

    void ShowTelegram(std::string_view, std::string_view, bool) override {}
    void ShowReceiving(bool) override {}
    void ShowValueCurrent(bool) override {}
    void ShowValueTitle(std::string_view) override {}
    void ShowValueFrame() override {}
    void ClearList() override {}
    void AppendListLine(std::string_view) override {}
    void ShowLogging(bool) override {}
    void ShowLogFile(std::string_view) override {}
    void ShowParameterFile(std::string_view) override {}

  private:
    std::FILE* out_;
    OutputFormat format_;
    long count_;
    long shown_ = 0;
    bool logFailed_ = false;
    std::function<void()> beyondCount_;
};

OutputFormat FormatOf(const std::string& name) {
    return name == "csv"     ? OutputFormat::kCsv
           : name == "jsonl" ? OutputFormat::kJsonLines
                             : OutputFormat::kText;
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

int RunMonitor(const Invocation& call, Session& session) {
    std::unique_ptr<std::FILE, FileCloser> outputFile;
    std::FILE* out = stdout;
    if (call.Has("--output")) {
        const std::string path = FromStartFolder(call.Option("--output"));
        outputFile.reset(std::fopen(path.c_str(), "w"));
        if (!outputFile) {
            std::fprintf(stderr, "qvt410-cli: %s lässt sich nicht schreiben\n", path.c_str());
            return kBadFile;
        }
        out = outputFile.get();
    }
    const auto port = OpenSerialPort(session);
    if (!port)
        return kPortFailed;

    const OutputFormat format = FormatOf(call.Option("--format", "text"));
    const long count = std::stol(call.Option("--count", "0"));
    ConsoleMonitorView view(out, format, count);
    if (const std::string header = FormatHeader(format); !header.empty()) {
        std::fprintf(out, "%s\n", header.c_str());
        std::fflush(out);
    }
    std::optional<int> exitCode;
    const auto finish = [&exitCode](int code) {
        if (exitCode)
            return;  // the first reason to end is the one told
        exitCode = code;
        QCoreApplication::exit(code);
    };
    qvt::QtWakeUpTimer silenceTimer([] {});
    qvt::TelegramMonitor monitor(*port, session.state, view, silenceTimer, nullptr);
    monitor.PortOpened(session.serial.portName, session.serial.device);
    if (call.Has("--log")) {
        std::error_code error;
        if (!monitor.StartLogging(qvt::LocalTime(qvt::SystemClock().Now()),
                                  std::filesystem::current_path(error))) {
            std::fprintf(stderr, "qvt410-cli: %s\n", qvt::TelegramMonitor::kLogFailed);
            return kBadFile;
        }
        std::fprintf(stderr, "qvt410-cli: Protokoll %s\n", monitor.log().fileName().c_str());
    }
    bool logStopped = false;
    bool logSynced = true;
    const auto stopLogging = [&] {
        if (!logStopped)
            logSynced = monitor.StopLogging();
        logStopped = true;
    };
    view.SetBeyondCount(stopLogging);

    const auto handleBytes = [&] {
        while (!view.done() &&
               monitor.HandleSlice() == qvt::TelegramMonitor::SliceEnd::kMoreWaiting) {
        }
        monitor.ReportFailures();
        // A log with gaps is no log: the run ends at once and says so.
        if (view.logFailed())
            finish(kLogFailed);
        if (view.done())
            finish(kSuccess);
    };
    port->SetBytesArrivedHandler(handleBytes);
    port->SetLineLostHandler([&] {
        std::fprintf(stderr, "qvt410-cli: Verbindung zu %s verloren\n",
                     session.serial.device.c_str());
        finish(kPortFailed);
    });
    QSocketNotifier interrupt(InterruptDescriptor(), QSocketNotifier::Read);
    QObject::connect(&interrupt, &QSocketNotifier::activated, [&] { finish(kInterrupted); });
    QTimer deadline;
    if (call.Has("--seconds")) {
        deadline.setSingleShot(true);
        QObject::connect(&deadline, &QTimer::timeout,
                         [&] { finish(count > 0 ? kNoReply : kSuccess); });
        deadline.start(std::chrono::seconds(std::stol(call.Option("--seconds"))));
    }
    QTimer::singleShot(0, handleBytes);  // what arrived since the port opened
    QCoreApplication::exec();

    stopLogging();
    int code = exitCode.value_or(kSuccess);
    // The last lines may fail only at the closing sync.
    if (call.Has("--log") && !logSynced && !view.logFailed()) {
        std::fprintf(stderr, "qvt410-cli: %s\n", qvt::TelegramMonitor::kLogFailed);
        if (code == kSuccess)
            code = kLogFailed;
    }
    port->SetBytesArrivedHandler({});
    port->SetLineLostHandler({});
    port->Close();
    return code;
}

}  // namespace cli
