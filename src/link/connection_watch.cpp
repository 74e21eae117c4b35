#include "link/connection_watch.h"

#include <algorithm>

namespace qvt {
namespace {

constexpr std::string_view kTitle = " Messwert ";

}  // namespace

ConnectionWatch::ConnectionWatch(MonitorView& view, WakeUpTimer& timer)
    : view_(view), timer_(timer), now_([] { return std::chrono::steady_clock::now(); }) {}

void ConnectionWatch::UsePort(const std::string& portName, const std::string& device) {
    if (device != device_)
        age_.Forget();
    portName_ = portName;
    device_ = device;
}

void ConnectionWatch::Opened(const std::string& portName, const std::string& device) {
    UsePort(portName, device);
    connected_ = true;
    view_.ShowValueTitle(kTitle);
    // The same device after a hang-up is overdue already; say so at once.
    CheckSilence();
}

void ConnectionWatch::OpenFailed(const std::string& portName, const std::string& device,
                                 bool busy) {
    UsePort(portName, device);
    ShowNoConnection(busy);
}

void ConnectionWatch::LineLost() {
    ShowNoConnection();
}

void ConnectionWatch::TelegramShown() {
    age_.Received(now_());
    SetValueCurrent(true);
    view_.ShowValueTitle(kTitle);
    // While telegrams stream, the timer is left running: it looks once a
    // second whether the silence counts yet.
    if (!timer_.IsActive())
        ArmTimer();
}

void ConnectionWatch::ShowNoConnection(bool busy) {
    connected_ = false;
    timer_.Stop();
    SetValueCurrent(false);
    view_.ShowValueTitle(busy ? PortBusyTitle(portName_, device_)
                              : NoConnectionTitle(portName_, device_));
    view_.ShowValueFrame();
}

void ConnectionWatch::CheckSilence() {
    if (!connected_)
        return;
    if (held_ && held_()) {
        timer_.Start(std::chrono::seconds(1));
        return;
    }
    if (const std::optional<std::int64_t> seconds = age_.SilentSeconds(now_())) {
        SetValueCurrent(false);
        view_.ShowValueTitle(SilenceTitle(*seconds));
    }
    ArmTimer();
}

void ConnectionWatch::ArmTimer() {
    const TelegramAge::TimePoint now = now_();
    std::optional<TelegramAge::TimePoint> due = age_.OverdueAt();
    if (due && now >= *due)
        due = age_.NextSecondAfter(now);
    if (!connected_ || !due) {
        timer_.Stop();
        return;
    }
    // At least once a second, so a changed clock or a long hold is caught up
    // with soon.
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*due - now);
    timer_.Start(std::clamp<std::chrono::milliseconds>(wait, std::chrono::milliseconds(1),
                                                       std::chrono::seconds(1)));
}

void ConnectionWatch::SetValueCurrent(bool current) {
    if (current == valueCurrent_)
        return;
    valueCurrent_ = current;
    view_.ShowValueCurrent(current);
}

}  // namespace qvt
