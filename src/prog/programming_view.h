#pragma once

#include <string>

#include "core/message_severity.h"

namespace qvt {

// What a programming run shows and asks while it holds the main thread. The
// main window implements it with its progress box and message boxes; tests
// record the calls.
class ProgrammingView {
  public:
    virtual ~ProgrammingView() = default;

    // Shows the progress box with the text of the running step, hiding the
    // measured value and the telegram panel, and paints it at once.
    virtual void ShowProgress(const std::string& text) = 0;
    virtual void SetProgressMaximum(int maximum) = 0;
    virtual void SetProgressPosition(int position) = 0;
    virtual void HideProgress() = 0;

    // An outcome box with one OK button, captioned after its severity.
    virtual void ShowMessage(const std::string& text, Severity severity) = 0;

    // True when the user pressed ESC since the run began; asked after every
    // byte of the byte mode and after every page of the page mode.
    virtual bool AbortRequested() = 0;
};

}  // namespace qvt
