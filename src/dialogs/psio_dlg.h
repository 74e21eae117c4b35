#pragma once

#include <array>
#include <functional>

#include "dialogs/ok_bottom_dlg.h"

class QGroupBox;
class QRadioButton;

// "Serielle Schnittstelle PC": the PC's port and line rate. Run modally from
// "&PC-SIO..."; OK reopens the port at once and keeps the choice in bytes 0
// and 1 of QVT410.CFG.
class TPSioDlg : public TOKBottomDlg {
    Q_OBJECT
  public:
    TPSioDlg(qvt::ParameterRecord& record, qvt::ApplicationState& state, QWidget* parent = nullptr);

    // Preselects the rate from BaudIndex (values without a button of their
    // own select "4800 Baud") and the port from PortIndex (COM2 for unknown).
    void Prepare();

    // Reopens the serial port with the current indices; installed by the
    // device link.
    void SetReopenHandler(std::function<void()> reopen) { reopen_ = std::move(reopen); }

    void OKBtnClick() override;

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

  private:
    std::array<QRadioButton*, 6> BaudButtons() const;
    std::array<QRadioButton*, 6> PortButtons() const;

    qvt::ParameterRecord& record_;
    qvt::ApplicationState& state_;
    std::function<void()> reopen_;
};
