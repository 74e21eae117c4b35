#pragma once

#include <chrono>
#include <string_view>
#include <vector>

#include "link/monitor_view.h"
#include "link/telegram_assembler.h"

namespace qvt::testing {

// A monitor view that keeps every telegram handed to it and shows nothing.
class RecordingMonitorView : public MonitorView {
  public:
    void TelegramReceived(const ReceivedTelegram& telegram) override {
        telegrams.push_back(telegram);
    }
    void ShowTelegram(std::string_view, std::string_view, bool) override {}
    void ShowReceiving(bool) override {}
    void ShowValueCurrent(bool) override {}
    void ShowValueTitle(std::string_view) override {}
    void ShowValueFrame() override {}
    void ClearList() override {}
    void AppendListLine(std::string_view) override {}
    void ShowLogging(bool) override {}
    void ShowLogFile(std::string_view) override {}
    void ShowParameterFile(std::string_view) override {}
    void ReportError(std::string_view text) override { errors.emplace_back(text); }

    std::vector<ReceivedTelegram> telegrams;
    std::vector<std::string> errors;
};

// A timer that never fires: the silence watch stays out of the way.
class IdleWakeUpTimer : public WakeUpTimer {
  public:
    void Start(std::chrono::milliseconds) override {}
    void Stop() override {}
    bool IsActive() const override { return false; }
};

}  // namespace qvt::testing
