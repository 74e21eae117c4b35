#pragma once

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QTemporaryDir>
#include <QTextEdit>
#include <memory>
#include <vector>

#include "dialogs/message_box.h"
#include "link/pty/devsim_process.h"
#include "link/pty/pty_pair.h"
#include "shell/link_commands.h"
#include "shell/main_window.h"

// The main window started as the program starts it, in a working directory of
// its own, with COM2 standing for the given device and the message boxes
// recorded instead of shown.
struct LinkFixture {
    struct Message {
        QString text;
        QString caption;
    };

    // start: false leaves the window to Start(), e.g. after a configuration
    // file was put in place.
    explicit LinkFixture(const std::string& com2, bool start = true) {
        QDir::setCurrent(dir.path());
        context.settings.serialDevices[1] = com2;
        context.settings.parallelAccess = qvt::ParallelAccess::None;
        qvt::SetMessageInterceptor([this](const QString& text, const QString& caption) {
            messages.push_back({text, caption});
        });
        if (start)
            Start();
    }

    void Start() {
        form.reset();
        form = std::make_unique<TForm1>(context);
        form->CreateDialogs();
        form->FormCreate();
    }

    void WriteConfig(const QByteArray& bytes) {
        QFile f(dir.filePath("QVT410.CFG"));
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
    }

    ~LinkFixture() {
        form.reset();
        qvt::SetMessageInterceptor({});
        QDir::setCurrent(QDir::tempPath());
    }

    LinkCommands& link() { return form->linkCommands(); }

    // The configuration file's bytes.
    QByteArray Config() const {
        QFile f(dir.filePath("QVT410.CFG"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QStringList ListLines() const {
        const QString text = form->RichEdit1->toPlainText();
        return text.isEmpty() ? QStringList() : text.split('\n');
    }

    QTemporaryDir dir;
    qvt::AppContext context;
    std::vector<Message> messages;
    std::unique_ptr<TForm1> form;
};

// The PC clock at a fixed moment.
class FixedClock : public qvt::Clock {
  public:
    FixedClock(int year, int month, int day, int hour = 12, int minute = 0) {
        std::tm t{};
        t.tm_year = year - 1900;
        t.tm_mon = month - 1;
        t.tm_mday = day;
        t.tm_hour = hour;
        t.tm_min = minute;
        t.tm_isdst = -1;
        at_ = std::chrono::system_clock::from_time_t(std::mktime(&t));
    }
    TimePoint Now() const override { return at_; }

  private:
    TimePoint at_;
};

// A printer that keeps the pages it was given, or refuses them.
class RecordingPrinter : public qvt::Printer {
  public:
    explicit RecordingPrinter(std::vector<std::vector<qvt::PrintText>>& pages,
                              bool available = true)
        : pages_(pages), available_(available) {}
    bool Print(const std::vector<qvt::PrintText>& page) override {
        if (available_)
            pages_.push_back(page);
        return available_;
    }
    void SetAvailable(bool available) { available_ = available; }

  private:
    std::vector<std::vector<qvt::PrintText>>& pages_;
    bool available_;
};
