#include "shell/programming_progress.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>

#include "dialogs/message_box.h"
#include "shell/main_window.h"

namespace {

// Painting the bar costs far more than a programmed byte: a few times a
// second is enough to see it move.
constexpr int kPaintIntervalMs = 40;

}  // namespace

void ProgrammingProgress::ShowProgress(const std::string& text) {
    // Let the closed menu leave the screen and the window repaint beneath it;
    // user input stays queued, and the serial port is not read meanwhile.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents |
                                    QEventLoop::ExcludeSocketNotifiers);
    form_.PLabel->setText(QString::fromStdString(text));
    form_.PLabel->adjustSize();
    form_.AnzGroupBox->hide();
    form_.SerPanel->hide();
    QPalette palette = form_.PGroupBox->palette();
    palette.setColor(QPalette::Window, QColor(0, 255, 255));
    form_.PGroupBox->setPalette(palette);
    form_.PGroupBox->setAutoFillBackground(true);
    form_.PGroupBox->show();
    form_.PGroupBox->repaint();
    form_.ProgressBar->repaint();
    sincePaint_.start();
}

void ProgrammingProgress::SetProgressMaximum(int maximum) {
    form_.ProgressBar->setMaximum(maximum);
}

void ProgrammingProgress::SetProgressPosition(int position) {
    QProgressBar* bar = form_.ProgressBar;
    if (bar->value() == position)
        return;
    bar->setValue(position);
    if (!sincePaint_.isValid() || sincePaint_.elapsed() >= kPaintIntervalMs ||
        position == bar->maximum()) {
        bar->repaint();
        sincePaint_.start();
    }
}

void ProgrammingProgress::HideProgress() {
    form_.PGroupBox->hide();
}

void ProgrammingProgress::ShowMessage(const std::string& text, qvt::Severity severity) {
    escape_.Stop();  // the box needs the user's input
    qvt::ShowMessage(nullptr, QString::fromStdString(text), severity);
}

bool ProgrammingProgress::AbortRequested() {
    return escape_.EscapePressed();
}
