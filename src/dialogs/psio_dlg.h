#pragma once

#include <array>
#include <functional>
#include <string>

#include "core/dialog_values.h"
#include "dialogs/ok_bottom_dlg.h"

class QGroupBox;
class QInputDialog;
class QLabel;
class QRadioButton;

namespace qvt {
struct PlatformSettings;
}

// "Serielle Schnittstelle PC": the PC's port and line rate. Run modally from
// "&PC-SIO..."; on OK the device link reopens the port at once and keeps the
// choice in bytes 0 and 1 of QVT410.CFG. Below, the device behind the chosen port name, and
// "Zuordnen..." to put another one behind it (kept in QVT410.INI).
class TPSioDlg : public TOKBottomDlg {
    Q_OBJECT
  public:
    explicit TPSioDlg(QWidget* parent = nullptr);

    // The controls as the values say (with the device line of the chosen
    // port and no note), and the values as the controls stand.
    void ShowValues(const qvt::PcPortValues& values);
    qvt::PcPortValues Values() const;

    // The devices behind the port names, and what a newly chosen device must
    // pass: the check says why it does not open, or nothing when it does.
    // Installed by the device link, with the settings file an assignment is
    // kept in; without it the mapping line stays empty.
    using DeviceCheck = std::function<std::string(const std::string& device)>;
    void SetDeviceMapping(qvt::PlatformSettings& settings, DeviceCheck check,
                          std::string settingsFile);
    // Whether another program holds a device, for the device line ("belegt");
    // without it every device that is there counts as free.
    using BusyCheck = std::function<bool(const std::string& device)>;
    void SetBusyCheck(BusyCheck busy) {
        busy_ = std::move(busy);
        ShowDevice();
    }
    // Where "Zuordnen..." looks for serial devices ("/" unless a test says so).
    void SetDeviceRoot(std::string root) { deviceRoot_ = std::move(root); }

    QRadioButton* PsRBtn2 = nullptr;  // "300  Baud"
    QRadioButton* PsRBtn3 = nullptr;
    QRadioButton* PsRBtn4 = nullptr;
    QRadioButton* PsRBtn5 = nullptr;
    QRadioButton* PsRBtn6 = nullptr;  // "4800 Baud"
    QRadioButton* PsRBtn7 = nullptr;  // "9600 Baud"
    QGroupBox* GroupBox1 = nullptr;   // "PC-SIO"
    QRadioButton* PcRBtn1 = nullptr;  // "COM1"
    QRadioButton* PcRBtn2 = nullptr;
    QRadioButton* PcRBtn3 = nullptr;
    QRadioButton* PcRBtn4 = nullptr;
    QRadioButton* PcRBtn5 = nullptr;
    QRadioButton* PcRBtn6 = nullptr;
    QLabel* DeviceLabel = nullptr;  // "COM2: /dev/ttyUSB0 (vorhanden)", "(belegt)"
    QPushButton* MapBtn = nullptr;  // "Zuordnen..."
    QLabel* MapNote = nullptr;      // in red: why the assignment did not happen
    QInputDialog* PortChooser = nullptr;

  private:
    std::array<QRadioButton*, 6> BaudButtons() const;
    std::array<QRadioButton*, 6> PortButtons() const;
    std::size_t CheckedPort() const;
    void ShowDevice();
    void AssignDevice();
    void ShowNote(const std::string& note);

    qvt::PlatformSettings* settings_ = nullptr;
    DeviceCheck check_;
    BusyCheck busy_;
    std::string settingsFile_;
    std::string deviceRoot_ = "/";
};
