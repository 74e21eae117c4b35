// qvt-linkbench [--count N] [--idle S] [--baud B] [--log 0|1] [--list 0|1] [--sync-ms M]
//               [--trend 0|1] [--redraw POINTS]
// Streams N numbered telegrams (27-byte form) from the device simulator at
// the line rate through a pseudo terminal into the main window's monitor with
// the log file and the list of telegrams on, then leaves the port idle for S
// seconds. --sync-ms makes every sync of the log file take M ms longer, as on
// a USB stick or a network share. Reports lost telegrams, how late a timer
// due every 10 ms fired while streaming (what a repaint or a key would wait),
// processing time per telegram and the CPU the program uses while streaming
// and while idle. --trend 1 streams with the window "Messwertverlauf" open;
// --redraw then times how long the window takes to draw a span of that many
// telegrams (default 172,800: a day at two a second).
#include <sys/resource.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <thread>

#include "dialogs/message_box.h"
#include "platform/append_file.h"
#include "shell/link_commands.h"
#include "shell/main_menu.h"
#include "shell/main_window.h"
#include "shell/startup.h"
#include "trend/trend_chart.h"
#include "trend/trend_window.h"

namespace {

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Counts the pages instead of printing them.
class CountingPrinter : public qvt::Printer {
  public:
    explicit CountingPrinter(int& pages) : pages_(pages) {}
    bool Print(const std::vector<qvt::PrintText>&) override {
        ++pages_;
        return true;
    }

  private:
    int& pages_;
};

int Argument(const QStringList& args, const QString& name, int fallback) {
    const int i = args.indexOf(name);
    return i >= 0 && i + 1 < args.size() ? args[i + 1].toInt() : fallback;
}

// A timer due every 10 ms: how late it fires is how long a repaint, a key or
// a menu would have waited.
class LatenessProbe {
  public:
    static constexpr qint64 kPeriodNanoseconds = 10'000'000;

    LatenessProbe() {
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            const qint64 late = since_.nsecsElapsed() - kPeriodNanoseconds;
            since_.start();
            worst_ = std::max(worst_, late);
            if (late > 50'000'000)
                ++over50ms_;
        });
        since_.start();
        timer_.start(static_cast<int>(kPeriodNanoseconds / 1'000'000));
    }
    double WorstMs() const { return worst_ / 1e6; }
    int Over50Ms() const { return over50ms_; }

  private:
    QTimer timer_;
    QElapsedTimer since_;
    qint64 worst_ = 0;
    int over50ms_ = 0;
};

// The trend window's redraw of a span of `points` telegrams two a second
// apart, with both switching points: thinning, series, axes and the paint.
// The fastest of five, in milliseconds.
double TrendRedrawMs(int points) {
    qvt::TrendHistory history(static_cast<std::size_t>(points));
    const auto start = std::chrono::system_clock::now() - std::chrono::hours(24);
    for (int i = 0; i < points; ++i) {
        const double value = 20 + 5 * std::sin(i / 500.0) + (i % 97) * 0.01;
        const QString text = QString("+%1").arg(value, 7, 'f', 2, QChar('0'));
        qvt::ReceivedTelegram telegram{qvt::ReceivedTelegram::Kind::kShort, text.toStdString(),
                                       (text.left(1) + " " + text.mid(1)).toStdString()};
        history.Add(start + std::chrono::milliseconds(500LL * i), telegram);
    }
    qvt::ParameterRecord record;
    record.azDecimalPoint = 3;
    record.sp1Setpoint = "0220";
    record.sp2Setpoint = "0180";
    record.sp1Active = record.sp2Active = 1;
    qvt::trend::TrendWindow window(history, record, nullptr);
    window.resize(1280, 720);
    window.show();
    window.spanChoice()->setCurrentIndex(window.spanChoice()->count() - 1);  // "Alles"
    double best = 1e9;
    for (int round = 0; round < 5; ++round) {
        QElapsedTimer timer;
        timer.start();
        window.Redraw();
        if (window.chart())
            window.chart()->view()->grab();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const int count = Argument(args, "--count", 10000);
    const int idleSeconds = Argument(args, "--idle", 10);
    const int baud = Argument(args, "--baud", 19200);
    const bool logOn = Argument(args, "--log", 1) != 0;
    const bool listOn = Argument(args, "--list", 1) != 0;
    const int syncMs = Argument(args, "--sync-ms", 0);
    const bool trendOn = Argument(args, "--trend", 0) != 0;
    const int redrawPoints = Argument(args, "--redraw", 172800);

    // The log goes to the disk of the current directory, as it would in use.
    QTemporaryDir work(QDir::current().filePath("linkbench-XXXXXX"));
    QDir::setCurrent(work.path());

    QProcess device;
    device.start(QCoreApplication::applicationDirPath() + "/qvt410-devsim",
                 {"--numbered", "--cycle", "0", "--baud", QString::number(baud), "--count",
                  QString::number(count), "--delay", "1000", "--form", "27"});
    if (!device.waitForStarted(5000) || !device.waitForReadyRead(5000)) {
        std::fprintf(stderr, "qvt-linkbench: the device simulator did not start\n");
        return 1;
    }
    const QString path = QString::fromUtf8(device.readLine()).trimmed();

    qvt::AppContext context;
    context.settings.serialDevices[1] = path.toStdString();
    context.settings.parallelAccess = qvt::ParallelAccess::kNone;
    int messages = 0;
    qvt::SetMessageInterceptor([&messages](const QString&, const QString&) { ++messages; });
    const std::unique_ptr<qvt::MainWindow> started = qvt::StartApplication(context);
    if (!started)
        return 1;
    qvt::MainWindow& form = *started;
    int pages = 0;
    qvt::LinkCommands& link = form.linkCommands();
    link.SetPrinter(std::make_unique<CountingPrinter>(pages));
    std::atomic<int> syncs{0};
    link.SetLogSync([syncMs, &syncs](int descriptor) {
        ++syncs;
        std::this_thread::sleep_for(std::chrono::milliseconds(syncMs));
        return qvt::SyncFileData(descriptor);
    });
    if (logOn)
        form.mainMenu().logToFileItem->trigger();
    if (listOn)
        form.mainMenu().printItem->trigger();
    const QString logName = QString::fromStdString(link.log().fileName());
    if (trendOn)
        form.mainMenu().valueTrendItem->trigger();

    // Streaming: the line needs 28 bytes x 10 bits per telegram.
    const double lineSeconds = count * 28.0 * 10.0 / baud;
    QElapsedTimer wall;
    wall.start();
    const double cpuStart = CpuSeconds();
    bool sent = false;
    double worstLateMs = 0;
    int lateOver50ms = 0;
    {
        // The program's own event loop, looked at ten times a second.
        LatenessProbe probe;
        QEventLoop loop;
        QTimer check;
        QObject::connect(&check, &QTimer::timeout, [&] {
            if (device.canReadLine() && device.readAll().contains("sent "))
                sent = true;
            const bool done = sent && link.monitorStats().telegrams >= count;
            if (done || wall.elapsed() > (lineSeconds + 60) * 1000)
                loop.quit();
        });
        check.start(100);
        loop.exec();
        worstLateMs = probe.WorstMs();
        lateOver50ms = probe.Over50Ms();
    }
    const double streamWall = wall.elapsed() / 1000.0;
    const double streamCpu = CpuSeconds() - cpuStart;
    const qvt::LinkCommands::MonitorStats stats = link.monitorStats();

    // Idle: the port open, nothing arriving.
    const double idleCpuStart = CpuSeconds();
    QElapsedTimer idle;
    idle.start();
    {
        QEventLoop loop;
        QTimer::singleShot(idleSeconds * 1000, &loop, &QEventLoop::quit);
        loop.exec();
    }
    const double idleCpu = CpuSeconds() - idleCpuStart;
    const double idleWall = idle.elapsed() / 1000.0;

    // Logging off waits for the last sync.
    QElapsedTimer closing;
    closing.start();
    if (logOn)
        form.mainMenu().logToFileItem->trigger();
    const double closeMs = closing.nsecsElapsed() / 1e6;

    // The log: every telegram once, in order.
    QFile log(logName);
    const QList<QByteArray> lines =
        logOn && log.open(QIODevice::ReadOnly) ? log.readAll().split('\n') : QList<QByteArray>();
    static const QRegularExpression kNumber(R"(\+(\d{7})C\r$)");
    int logged = 0;
    int inOrder = 0;
    for (const QByteArray& line : lines) {
        const QRegularExpressionMatch m = kNumber.match(QString::fromLatin1(line));
        if (!m.hasMatch())
            continue;
        ++logged;
        if (m.captured(1).toInt() == logged)
            ++inOrder;
    }

    device.terminate();
    device.waitForFinished(5000);
    qvt::SetMessageInterceptor({});

    std::printf("telegrams sent:              %d (27-byte form, %d baud, back to back)\n", count,
                baud);
    std::printf("log file, list:              %s, %s\n", logOn ? "on" : "off",
                listOn ? "on" : "off");
    std::printf("log sync:                    fdatasync%s, %d syncs, %.1f ms to close\n",
                syncMs ? qPrintable(QString(" + %1 ms").arg(syncMs)) : "", syncs.load(), closeMs);
    std::printf("telegrams shown:             %lld\n", static_cast<long long>(stats.telegrams));
    std::printf("telegrams lost:              %lld\n",
                static_cast<long long>(count - stats.telegrams));
    std::printf("log lines, in order:         %d of %d\n", inOrder, logged);
    std::printf("pages of 41 lines:           %d, %d lines left in the list\n", pages,
                context.state.printLineCount);
    std::printf("line time:                   %.1f s (stream took %.1f s)\n", lineSeconds,
                streamWall);
    std::printf("UI timer (10 ms) late by:    %.1f ms at worst, %d times over 50 ms\n", worstLateMs,
                lateOver50ms);
    std::printf("processing per telegram:     %.1f us (monitor, display, log line, list)\n",
                stats.telegrams ? stats.busyNanoseconds / 1e3 / stats.telegrams : 0.0);
    std::printf("CPU while streaming:         %.1f %% of one core (%.1f us per telegram)\n",
                100.0 * streamCpu / streamWall,
                stats.telegrams ? streamCpu * 1e6 / stats.telegrams : 0.0);
    std::printf("CPU while idle:              %.2f %% of one core (%.3f s in %.1f s)\n",
                100.0 * idleCpu / idleWall, idleCpu, idleWall);
    std::printf("message boxes:               %d\n", messages);
    if (trendOn) {
        std::printf("trend window:                open, %zu telegrams collected\n",
                    link.trendHistory().size());
        std::printf("trend redraw of %d:      %.1f ms (thinning, series, axes, paint)\n",
                    redrawPoints, TrendRedrawMs(redrawPoints));
    }
    return stats.telegrams == count && (!logOn || inOrder == count) ? 0 : 1;
}
