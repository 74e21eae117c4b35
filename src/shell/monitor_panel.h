#pragma once

#include <functional>

#include "link/monitor_view.h"

class QAction;
class QFrame;
class QGroupBox;
class QLabel;
class QTextEdit;
class QWidget;

namespace qvt {

// The main window's side of the telegram monitor: the measured-value frame
// with its digits, the telegram panel, the list of last telegrams, the file
// box and the check mark of "In Datei speichern".
class MonitorPanel : public MonitorView {
  public:
    struct Widgets {
        QWidget* window = nullptr;  // owner of the message boxes
        QGroupBox* valueFrame = nullptr;
        QLabel* valueDigits = nullptr;
        QFrame* telegramPanel = nullptr;
        QLabel* telegramText = nullptr;
        QTextEdit* list = nullptr;
        QGroupBox* fileBox = nullptr;
        QLabel* fileName = nullptr;
        QAction* logItem = nullptr;
    };
    // showList widens the window to show the list of last telegrams, or
    // narrows it to cut the list off.
    MonitorPanel(const Widgets& widgets, std::function<void(bool shown)> showList);

    QWidget* window() const { return w_.window; }
    void ShowList(bool shown) { showList_(shown); }

    void ShowTelegram(std::string_view text, std::string_view value, bool panelShown) override;
    void ShowReceiving(bool receiving) override;
    void ShowValueCurrent(bool current) override;
    void ShowValueTitle(std::string_view title) override;
    void ShowValueFrame() override;
    void ClearList() override;
    void AppendListLine(std::string_view text) override;
    void ShowLogging(bool on) override;
    void ShowLogFile(std::string_view name) override;
    void ShowParameterFile(std::string_view name) override;
    void ReportError(std::string_view text) override;

  private:
    Widgets w_;
    std::function<void(bool)> showList_;
};

}  // namespace qvt
