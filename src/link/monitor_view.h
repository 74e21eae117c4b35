#pragma once

#include <chrono>
#include <string_view>

namespace qvt {

struct ReceivedTelegram;

// What the telegram monitor shows; the window implements it with its
// widgets. Texts from the device come as its bytes (Latin-1), titles and
// messages as UTF-8.
class MonitorView {
  public:
    virtual ~MonitorView() = default;

    // A complete telegram: its text on the telegram panel, which is shown or
    // hidden as "Telegramm zeigen" says, and its value in the measured-value
    // frame, which is shown.
    virtual void ShowTelegram(std::string_view text, std::string_view value, bool panelShown) = 0;
    // The same telegram as assembled, with its form, for a view that reads
    // more from it than the texts (the unit, the value as a number).
    virtual void TelegramReceived(const ReceivedTelegram& telegram) { (void)telegram; }
    // The receive indicator: on while the bytes of a telegram come in.
    virtual void ShowReceiving(bool receiving) = 0;

    // The measured value is current (its digits as usual) or not (greyed),
    // and the frame's title says why.
    virtual void ShowValueCurrent(bool current) = 0;
    virtual void ShowValueTitle(std::string_view title) = 0;
    // The frame comes up before any telegram, to say that there is no connection.
    virtual void ShowValueFrame() = 0;

    // The list of last telegrams, which becomes the printed page.
    virtual void ClearList() = 0;
    virtual void AppendListLine(std::string_view text) = 0;

    // Logging on or off, and the file the file box names: the log file while
    // lines go into it, the parameter file again once logging has stopped.
    virtual void ShowLogging(bool on) = 0;
    virtual void ShowLogFile(std::string_view name) = 0;
    virtual void ShowParameterFile(std::string_view name) = 0;

    // A failure found while handling received bytes, told once they are handled.
    virtual void ReportError(std::string_view text) = 0;
};

// A one-shot timer of the caller's event loop, so the monitor keeps to no
// loop of its own.
class WakeUpTimer {
  public:
    virtual ~WakeUpTimer() = default;
    virtual void Start(std::chrono::milliseconds after) = 0;
    virtual void Stop() = 0;
    virtual bool IsActive() const = 0;
};

}  // namespace qvt
