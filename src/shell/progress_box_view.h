#pragma once

#include <QString>

namespace qvt {

// The progress box " QVT Programmieren " of the main window.
class ProgressBoxView {
  public:
    virtual ~ProgressBoxView() = default;

    // Shows the box with the text of the running step in place of the
    // measured value and the telegram panel, and paints it at once.
    virtual void ShowProgressBox(const QString& text) = 0;
    virtual void SetProgressMaximum(int maximum) = 0;
    // Moves the bar; paints it only when paintNow, since painting costs far
    // more than a programmed byte. False when the bar stood there already.
    virtual bool SetProgressPosition(int position, bool paintNow) = 0;
    virtual int ProgressMaximum() const = 0;
    virtual void HideProgressBox() = 0;
};

}  // namespace qvt
