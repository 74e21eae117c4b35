#pragma once

#include <array>
#include <functional>
#include <string>

#include "core/dialog_values.h"
#include "dialogs/ok_cancel_dialog.h"

class QAbstractButton;
class QInputDialog;
class QLabel;

namespace qvt {
struct PlatformSettings;
}

namespace qvt::dialogs {

// "Serielle Schnittstelle PC": the PC's port and line rate. Run modally from
// "&PC-SIO..."; on OK the device link reopens the port at once and keeps the
// choice in bytes 0 and 1 of QVT410.CFG. Below, the device behind the chosen
// port name, and "Zuordnen..." to put another one behind it (kept in QVT410.INI).
class PcSerialPortDialog : public OkCancelDialog {
    Q_OBJECT
  public:
    explicit PcSerialPortDialog(QWidget* parent = nullptr);

    // The controls as the values say (with the device line of the chosen
    // port and no note), and the values as the controls stand.
    void ShowValues(const PcPortValues& values);
    PcPortValues Values() const;

    // The devices behind the port names, and what a newly chosen device must
    // pass: the check says why it does not open, or nothing when it does.
    // Installed by the device link, with the settings file an assignment is
    // kept in; without it the mapping line stays empty.
    using DeviceCheck = std::function<std::string(const std::string& device)>;
    void SetDeviceMapping(PlatformSettings& settings, DeviceCheck check, std::string settingsFile);
    // Whether another program holds a device, for the device line ("belegt");
    // without it every device that is there counts as free.
    using BusyCheck = std::function<bool(const std::string& device)>;
    void SetBusyCheck(BusyCheck busy) {
        busy_ = std::move(busy);
        ShowDevice();
    }
    // Where "Zuordnen..." looks for serial devices ("/" unless a test says so).
    void SetDeviceRoot(std::string root) { deviceRoot_ = std::move(root); }

    // Whether the window is this dialog or the device chooser it runs.
    bool IsOwnWindow(const QWidget* window) const;

  private:
    std::size_t CheckedPort() const;
    void ShowDevice();
    void AssignDevice();
    void ShowNote(const std::string& note);

    std::array<QAbstractButton*, 6> baudButtons_{};  // "300  Baud" .. "9600 Baud"
    std::array<QAbstractButton*, 6> portButtons_{};  // "COM1" .. "COM6"
    QLabel* deviceLabel_ = nullptr;                  // "COM2: /dev/ttyUSB0 (vorhanden)", "(belegt)"
    QPushButton* assignButton_ = nullptr;            // "Zuordnen..."
    QLabel* assignmentNote_ = nullptr;               // in red: why the assignment did not happen
    QInputDialog* deviceChooser_ = nullptr;

    PlatformSettings* settings_ = nullptr;
    DeviceCheck check_;
    BusyCheck busy_;
    std::string settingsFile_;
    std::string deviceRoot_ = "/";
};

}  // namespace qvt::dialogs
