#pragma once

#include <functional>
#include <string>

#include "link/monitor_view.h"
#include "link/telegram_age.h"

namespace qvt {

// Tells when the measured value is not current: the port could not be opened
// or has lost its line, or the device has been quiet for clearly longer than
// its usual interval. The digits are greyed and the frame title says why; the
// next telegram brings back the normal look. The one timer, due at most a
// second ahead, runs only while there is something to watch: an open port
// whose device has shown its rhythm. Its owner calls CheckSilence() when it
// fires.
class ConnectionWatch {
  public:
    using Now = std::function<TelegramAge::TimePoint()>;

    ConnectionWatch(MonitorView& view, WakeUpTimer& timer);

    // Replaceable for tests.
    void SetClock(Now now) { now_ = std::move(now); }
    // While this says the telegrams wait unread (a transmission or a message
    // box holds the monitor), silence says nothing about the device.
    void SetHeldCheck(std::function<bool()> held) { held_ = std::move(held); }

    // The port is open on this device; another device than before brings a
    // rhythm of its own, so the intervals seen so far no longer count.
    void Opened(const std::string& portName, const std::string& device);
    // The port could not be opened: shown at once, before any telegram too.
    // busy: another program holds it, which the title says instead.
    void OpenFailed(const std::string& portName, const std::string& device, bool busy = false);
    // The open port has closed itself (hang-up, read error).
    void LineLost();
    // A complete telegram is on show.
    void TelegramShown();
    // The timer has fired.
    void CheckSilence();

  private:
    void UsePort(const std::string& portName, const std::string& device);
    void ShowNoConnection(bool busy = false);
    void ArmTimer();
    void SetValueCurrent(bool current);

    MonitorView& view_;
    WakeUpTimer& timer_;
    TelegramAge age_;
    Now now_;
    std::function<bool()> held_;
    bool connected_ = false;
    bool valueCurrent_ = true;
    std::string portName_;
    std::string device_;
};

}  // namespace qvt
