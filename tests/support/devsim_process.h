#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QThread>

// The device simulator as a child process of a test: started with its
// options, it names its pseudo terminal on the first line of its output.
class DevSimProcess {
  public:
    explicit DevSimProcess(QStringList arguments) : arguments_(std::move(arguments)) {}
    ~DevSimProcess() { Stop(); }
    DevSimProcess(const DevSimProcess&) = delete;
    DevSimProcess& operator=(const DevSimProcess&) = delete;

    // The simulator is built next to the test programs.
    static QString Program() { return QCoreApplication::applicationDirPath() + "/qvt410-devsim"; }

    // Starts it and waits for the path; false when it did not come up.
    bool Start() {
        process_.setProgram(Program());
        process_.setArguments(arguments_);
        process_.setProcessChannelMode(QProcess::SeparateChannels);
        process_.start();
        if (!process_.waitForStarted(5000))
            return false;
        QElapsedTimer timer;
        timer.start();
        while (!output_.contains('\n') && timer.elapsed() < 5000) {
            process_.waitForReadyRead(100);
            output_ += QString::fromUtf8(process_.readAllStandardOutput());
        }
        if (!output_.contains('\n'))
            return false;
        path_ = output_.section('\n', 0, 0);
        return !path_.isEmpty();
    }

    QString path() const { return path_; }

    // Everything it printed after the path so far.
    QString Output() {
        output_ += QString::fromUtf8(process_.readAllStandardOutput());
        return output_.section('\n', 1);
    }

    // Waits, keeping the event loop going, until the output holds the text.
    bool WaitForOutput(const QString& text, int milliseconds = 5000) {
        QElapsedTimer timer;
        timer.start();
        while (!Output().contains(text)) {
            if (timer.elapsed() > milliseconds)
                return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            process_.waitForReadyRead(20);
        }
        return true;
    }

    // Ends it at once, as a crash or a pulled cable would.
    void Kill() {
        if (process_.state() == QProcess::NotRunning)
            return;
        process_.kill();
        process_.waitForFinished(5000);
    }

    void Stop() {
        if (process_.state() == QProcess::NotRunning)
            return;
        process_.terminate();
        if (!process_.waitForFinished(5000))
            Kill();
    }

  private:
    QStringList arguments_;
    QProcess process_;
    QString output_;
    QString path_;
};

// Keeps the event loop going until the condition holds or the time is up.
template <typename Condition>
bool WaitUntil(Condition condition, int milliseconds = 5000) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > milliseconds)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
    return true;
}
