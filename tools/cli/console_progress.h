#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

#include "core/chip.h"
#include "prog/programming_view.h"

namespace cli {

// A programming run on the console. On a terminal a bar redrawn in place
// (memory, percent, bytes, time left); elsewhere (a log, a pipe) one line per
// stage. Ctrl-C is the ESC of the progress box. The outcome message is kept
// for the exit code.
class ConsoleProgress : public qvt::ProgrammingView {
  public:
    // The 8253 counts its progress in pages, the 8252 in bytes of the file read.
    ConsoleProgress(std::FILE* out, bool terminal, qvt::Chip chip)
        : out_(out), terminal_(terminal), chip_(chip) {}
    ~ConsoleProgress() override { EndBar(); }

    void ShowProgress(const std::string& text) override;
    void SetProgressMaximum(int maximum) override;
    void SetProgressPosition(int position) override;
    void HideProgress() override;
    void ShowMessage(const std::string& text, qvt::Severity severity) override;
    bool AbortRequested() override;

    // A run that reached the chip ends with its closing steps, which hide the
    // progress; an error told without them is about a file.
    bool failedBeforeStart() const { return failed_ && !closed_; }
    bool failed() const { return failed_; }
    bool aborted() const { return aborted_; }

  private:
    void DrawBar();
    void EndBar();

    std::FILE* out_;
    bool terminal_;
    qvt::Chip chip_;
    int bytesPerStep_ = 1;
    std::string memory_;
    int maximum_ = 0;
    int position_ = 0;
    int lastDrawnPercent_ = -1;
    bool barShown_ = false;
    bool closed_ = false;
    bool failed_ = false;
    bool aborted_ = false;
    std::chrono::steady_clock::time_point stageStart_;
};

}  // namespace cli
