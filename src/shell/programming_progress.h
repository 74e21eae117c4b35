#pragma once

#include <QElapsedTimer>

#include "prog/programming_view.h"
#include "shell/escape_watcher.h"
#include "shell/progress_box_view.h"

namespace qvt {

// A programming run as the user sees it: the progress box of the main
// window, the outcome boxes, and ESC. The window does not process input
// meanwhile, so the box is painted explicitly.
class ProgrammingProgress : public ProgrammingView {
  public:
    explicit ProgrammingProgress(ProgressBoxView& box) : box_(box) {}

    void ShowProgress(const std::string& text) override;
    void SetProgressMaximum(int maximum) override;
    void SetProgressPosition(int position) override;
    void HideProgress() override;
    void ShowMessage(const std::string& text, Severity severity) override;
    bool AbortRequested() override;

  private:
    ProgressBoxView& box_;
    EscapeWatcher escape_;
    QElapsedTimer sincePaint_;
};

}  // namespace qvt
