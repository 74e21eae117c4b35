#include "shell/programming_progress.h"

#include <QCoreApplication>

#include "dialogs/message_box.h"

namespace qvt {

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
    box_.ShowProgressBox(QString::fromStdString(text));
    sincePaint_.start();
}

void ProgrammingProgress::SetProgressMaximum(int maximum) {
    box_.SetProgressMaximum(maximum);
}

void ProgrammingProgress::SetProgressPosition(int position) {
    const bool paintNow = !sincePaint_.isValid() || sincePaint_.elapsed() >= kPaintIntervalMs ||
                          position == box_.ProgressMaximum();
    if (box_.SetProgressPosition(position, paintNow) && paintNow)
        sincePaint_.start();
}

void ProgrammingProgress::HideProgress() {
    box_.HideProgressBox();
}

void ProgrammingProgress::ShowMessage(const std::string& text, qvt::Severity severity) {
    escape_.Stop();  // the box needs the user's input
    qvt::ShowMessage(nullptr, QString::fromStdString(text), severity);
}

bool ProgrammingProgress::AbortRequested() {
    return escape_.EscapePressed();
}

}  // namespace qvt
