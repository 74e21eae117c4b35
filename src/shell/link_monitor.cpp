// The telegram monitor of LinkCommands: assembles the device's telegrams as
// their bytes arrive, shows them, and hands them to the log file and the list.
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QInputDialog>
#include <QLabel>
#include <QRegularExpression>
#include <QTextCursor>
#include <QTextEdit>
#include <algorithm>

#include "dialogs/message_box.h"
#include "dialogs/psio_dlg.h"
#include "shell/link_commands.h"
#include "shell/main_window.h"

namespace {

// The device's bytes as shown: Latin-1, with control characters (a CR or
// LF that a short telegram carries along) shown as blanks, so one telegram
// stays one line.
QString FromDevice(const std::string& bytes) {
    QString text = QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    for (QChar& c : text) {
        if (c.unicode() < 0x20)
            c = u' ';
    }
    return text;
}

}  // namespace

// The monitor stands still while a transmission or programming holds it, while
// it is already at work (a page being printed), and while a message box or a
// file dialog waits for the user; the PC port dialog, with its device
// chooser, is the one modal window it keeps running under.
bool LinkCommands::MonitorMayRun() const {
    if (!monitorStarted_ || holds_ > 0 || inMonitor_)
        return false;
    QWidget* modal = QApplication::activeModalWidget();
    TPSioDlg* portDialog = form_.dialogs().PSioDlg;
    return modal == nullptr || modal == portDialog || modal == portDialog->PortChooser;
}

void LinkCommands::MonitorBytesArrived() {
    if (!MonitorMayRun()) {
        if (monitorStarted_ && !retry_.isActive())
            retry_.start();
        return;
    }
    inMonitor_ = true;
    QElapsedTimer timer;
    timer.start();
    bool sliceFull = false;
    for (int handled = 0;; ++handled) {
        // A slice never ends between a CR and the trailing byte that may
        // follow it: whether that byte is there is decided now, not after
        // the event loop has turned.
        if (!assembler_.awaitingTrailingByte() &&
            (handled >= slice_.bytes || timer.nsecsElapsed() >= slice_.nanoseconds)) {
            sliceFull = true;
            break;
        }
        const int byte = port_->ReadByte();
        const std::optional<qvt::ReceivedTelegram> telegram =
            byte < 0 ? assembler_.NoMoreBytes() : assembler_.Feed(static_cast<std::uint8_t>(byte));
        if (telegram)
            HandleTelegram(*telegram);
        if (byte < 0)
            break;
    }
    // Red while a telegram is coming in, white once its CR was there.
    SetIndicator(assembler_.receiving() ? QColor(Qt::red) : QColor(Qt::white));
    stats_.busyNanoseconds += timer.nsecsElapsed();
    inMonitor_ = false;
    // Bytes still waiting raise no new notification.
    if (sliceFull)
        nextSlice_.start();
    ShowReports();
}

void LinkCommands::HandleTelegram(const qvt::ReceivedTelegram& telegram) {
    ++stats_.telegrams;
    SetIndicator(Qt::white);
    form_.SerLabel->setText(FromDevice(telegram.text));
    form_.SerPanel->setVisible(context_.state.ShowTelegram);
    form_.AnzLabel->setText(FromDevice(telegram.value));
    form_.AnzGroupBox->show();
    display_.TelegramShown();
    LogStep(telegram.text);
    ListStep(telegram.text);
}

void LinkCommands::LogStep(const std::string& text) {
    if (!context_.state.LogEnabled || !log_.isOpen())
        return;
    if (!log_.Write(text)) {
        // Disk full, medium gone, or the lines do not reach the disk: said
        // once, and the telegrams go on being shown.
        StopLogging();
        ReportAfterSlice(kLogFailed);
        return;
    }
    form_.FileLabel->setText(QString::fromStdString(log_.fileName()));
    form_.FileGroupBox->setTitle(" Zieldatei ");
}

void LinkCommands::ListStep(const std::string& text) {
    if (!context_.state.PrintEnabled)
        return;
    switch (page_.Add(text, *printer_)) {
        case qvt::TelegramPage::Outcome::kCollected:
            AppendListLine(text);
            break;
        case qvt::TelegramPage::Outcome::kRestarted:
            form_.RichEdit1->clear();
            AppendListLine(text);
            break;
        case qvt::TelegramPage::Outcome::kPrinted:
            ShowListLines();
            break;
        case qvt::TelegramPage::Outcome::kPrintFailed:
            ShowListLines();
            ReportAfterSlice(QString::fromUtf8("Kein Drucker verfügbar"));
            break;
    }
}

void LinkCommands::ShowListLines() {
    form_.RichEdit1->clear();
    for (const std::string& line : page_.lines()) AppendListLine(line);
}

void LinkCommands::ReportAfterSlice(const QString& text) {
    if (std::find(reports_.begin(), reports_.end(), text) == reports_.end())
        reports_.push_back(text);
}

void LinkCommands::ShowReports() {
    std::vector<QString> reports;
    reports.swap(reports_);
    for (const QString& text : reports) qvt::ShowMessage(&form_, text, qvt::Severity::Error);
}

void LinkCommands::AppendListLine(const std::string& text) {
    QTextCursor cursor(form_.RichEdit1->document());
    cursor.movePosition(QTextCursor::End);
    if (!form_.RichEdit1->document()->isEmpty())
        cursor.insertBlock();
    cursor.insertText(FromDevice(text));
}

void LinkCommands::SetIndicator(const QColor& colour) {
    if (colour == indicator_)
        return;
    indicator_ = colour;
    // The caption takes the group box's text colour from its style sheet.
    static const QRegularExpression kColour(R"((^|[\s;{])color:\s*[^;}]+)");
    QString sheet = form_.AnzGroupBox->styleSheet();
    const QString declaration = QString("color: %1").arg(colour.name());
    if (sheet.contains(kColour)) {
        sheet.replace(kColour, "\\1" + declaration);
    } else {
        sheet += QString(" QGroupBox#AnzGroupBox { %1; }").arg(declaration);
    }
    form_.AnzGroupBox->setStyleSheet(sheet);
}
