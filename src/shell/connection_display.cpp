#include "shell/connection_display.h"

#include <QGroupBox>
#include <QLabel>
#include <algorithm>

namespace {

const QString kTitle = " Messwert ";

}  // namespace

ConnectionDisplay::ConnectionDisplay(QGroupBox& frame, QLabel& digits)
    : frame_(frame), digits_(digits), now_([] { return std::chrono::steady_clock::now(); }) {
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &ConnectionDisplay::CheckSilence);
}

void ConnectionDisplay::UsePort(const std::string& portName, const std::string& device) {
    if (device != device_)
        age_.Forget();
    portName_ = portName;
    device_ = device;
}

void ConnectionDisplay::Opened(const std::string& portName, const std::string& device) {
    UsePort(portName, device);
    connected_ = true;
    SetTitle(kTitle);
    // The same device after a hang-up is overdue already; say so at once.
    CheckSilence();
}

void ConnectionDisplay::OpenFailed(const std::string& portName, const std::string& device) {
    UsePort(portName, device);
    ShowNoConnection();
}

void ConnectionDisplay::LineLost() {
    ShowNoConnection();
}

void ConnectionDisplay::TelegramShown() {
    age_.Received(now_());
    SetDigitsCurrent(true);
    SetTitle(kTitle);
    // While telegrams stream, the timer is left running: it looks once a
    // second whether the silence counts yet.
    if (!timer_.isActive())
        ArmTimer();
}

void ConnectionDisplay::ShowNoConnection() {
    connected_ = false;
    timer_.stop();
    SetDigitsCurrent(false);
    SetTitle(QString::fromStdString(qvt::NoConnectionTitle(portName_, device_)));
    frame_.show();
}

void ConnectionDisplay::CheckSilence() {
    if (!connected_)
        return;
    if (held_ && held_()) {
        timer_.start(1000);
        return;
    }
    if (const std::optional<std::int64_t> seconds = age_.SilentSeconds(now_())) {
        SetDigitsCurrent(false);
        SetTitle(QString::fromStdString(qvt::SilenceTitle(*seconds)));
    }
    ArmTimer();
}

void ConnectionDisplay::ArmTimer() {
    const qvt::TelegramAge::TimePoint now = now_();
    std::optional<qvt::TelegramAge::TimePoint> due = age_.OverdueAt();
    if (due && now >= *due)
        due = age_.NextSecondAfter(now);
    if (!connected_ || !due) {
        timer_.stop();
        return;
    }
    // At least once a second, so a changed clock or a long hold is caught up
    // with soon.
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*due - now).count();
    timer_.start(static_cast<int>(std::clamp<std::int64_t>(wait, 1, 1000)));
}

void ConnectionDisplay::SetDigitsCurrent(bool current) {
    if (current == digitsCurrent_)
        return;
    digitsCurrent_ = current;
    digits_.setStyleSheet(QString("color: %1; background: black;").arg(current ? "red" : "gray"));
}

void ConnectionDisplay::SetTitle(const QString& title) {
    if (frame_.title() != title)
        frame_.setTitle(title);
}
