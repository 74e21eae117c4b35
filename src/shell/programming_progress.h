#pragma once

#include <QElapsedTimer>

#include "prog/programming_view.h"
#include "shell/escape_watcher.h"

class TForm1;

// The progress box " QVT Programmieren " of the main window during a
// programming run, the outcome boxes, and ESC. The window does not process
// input meanwhile, so the box is painted explicitly.
class ProgrammingProgress : public qvt::ProgrammingView {
  public:
    explicit ProgrammingProgress(TForm1& form) : form_(form) {}

    void ShowProgress(const std::string& text) override;
    void SetProgressMaximum(int maximum) override;
    void SetProgressPosition(int position) override;
    void HideProgress() override;
    void ShowMessage(const std::string& text, qvt::Severity severity) override;
    bool AbortRequested() override;

  private:
    TForm1& form_;
    EscapeWatcher escape_;
    QElapsedTimer sincePaint_;
};
