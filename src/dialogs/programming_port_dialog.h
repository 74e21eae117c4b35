#pragma once

#include <array>
#include <functional>
#include <vector>

#include "core/cable_choice.h"
#include "core/dialog_values.h"
#include "dialogs/ok_cancel_dialog.h"

class QAbstractButton;
class QComboBox;
class QLineEdit;
class QListWidget;

namespace qvt::dialogs {

// "Programmierschnittstelle": which parallel port carries the programming
// cable, used from the next start on (the programming commands keep it in
// QVT410.CFG when "OK" commits it). Beside it the cable itself: the parallel
// port, an FTDI adapter or GPIO lines, with device and pin map, and "Suchen"
// to pick one of the adapters and GPIO chips found (kept in QVT410.INI).
class ProgrammingPortDialog : public OkCancelDialog {
    Q_OBJECT
  public:
    explicit ProgrammingPortDialog(QWidget* parent = nullptr);

    // The controls as the values say, and the values as the controls stand.
    void ShowValues(const ParallelPortValues& values);
    ParallelPortValues Values() const;

    // The cable the same way; what the dialog has no control for (the
    // rehearsal switch) comes back as it was shown, and empty fields come
    // back as their defaults.
    void ShowCable(const CableChoice& cable);
    CableChoice Cable() const;

    // What "Suchen" lists; without it the list stays empty.
    using CableFinder = std::function<std::vector<FoundCable>()>;
    void SetCableFinder(CableFinder find) { findCables_ = std::move(find); }

  protected:
    // A cable that cannot be used is not taken: the message says why.
    void CheckAndCommit() override;

  private:
    void FollowCableType();
    void ListFoundCables();
    void TakeFoundCable(int row);

    std::array<QAbstractButton*, 3> portButtons_{};  // LPT1 .. LPT3
    QComboBox* cableBox_ = nullptr;                  // "Parallelport", "FTDI-Adapter", "GPIO"
    QLineEdit* deviceEdit_ = nullptr;                // serial number, usb:BUS:DEVICE, gpiochipN
    QLineEdit* pinsEdit_ = nullptr;                  // a shipped map's name or one written out
    QPushButton* searchButton_ = nullptr;            // "Suchen"
    QListWidget* foundList_ = nullptr;               // what "Suchen" found
    std::vector<FoundCable> found_;
    bool emulated_ = false;
    CableFinder findCables_;
};

}  // namespace qvt::dialogs
