#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <string>

#include "link/telegram_age.h"

class QGroupBox;
class QLabel;

// The measured-value frame says when its value is not current: the port could
// not be opened or has lost its line, or the device has been quiet for clearly
// longer than its usual interval. The digits turn grey and the frame title
// says why; the next telegram brings back the normal look. The one timer, due
// at most a second ahead, runs only while there is something to watch: an
// open port whose device has shown its rhythm.
class ConnectionDisplay : public QObject {
    Q_OBJECT
  public:
    using Now = std::function<qvt::TelegramAge::TimePoint()>;

    ConnectionDisplay(QGroupBox& frame, QLabel& digits);

    // Replaceable for tests.
    void SetClock(Now now) { now_ = std::move(now); }
    // While this says the telegrams wait unread (a transmission or a message
    // box holds the monitor), silence says nothing about the device.
    void SetMonitorHeldCheck(std::function<bool()> held) { held_ = std::move(held); }

    // The port is open on this device; another device than before brings a
    // rhythm of its own, so the intervals seen so far no longer count.
    void Opened(const std::string& portName, const std::string& device);
    // The port could not be opened: shown at once, before any telegram too.
    void OpenFailed(const std::string& portName, const std::string& device);
    // The open port has closed itself (hang-up, read error).
    void LineLost();
    // A complete telegram is on show.
    void TelegramShown();

  private:
    void UsePort(const std::string& portName, const std::string& device);
    void ShowNoConnection();
    void CheckSilence();
    void ArmTimer();
    void SetDigitsCurrent(bool current);
    void SetTitle(const QString& title);

    QGroupBox& frame_;
    QLabel& digits_;
    qvt::TelegramAge age_;
    QTimer timer_;
    Now now_;
    std::function<bool()> held_;
    bool connected_ = false;
    bool digitsCurrent_ = true;
    std::string portName_;
    std::string device_;
};
