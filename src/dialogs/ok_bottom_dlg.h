#pragma once

#include <QDialog>
#include <QFrame>  // Bevel1 is where every derived dialog puts its controls
#include <cstdint>
#include <functional>

class QHBoxLayout;
class QPushButton;

// Common form of the parameter dialogs and the two port dialogs: a framed area
// for the dialog's own controls ("Bevel1") above the buttons "OK" (default,
// Enter) and "Abbrechen" (Esc); Enter on a focused button acts on that button.
// Dialogs are shown modelessly, except where a caller runs one with exec();
// closing only hides them.
class TOKBottomDlg : public QDialog {
    Q_OBJECT
  public:
    explicit TOKBottomDlg(QWidget* parent = nullptr);

    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QPushButton* HelpBtn = nullptr;  // added by dialogs that offer help
    QFrame* Bevel1 = nullptr;

    // Shows the dialog without blocking and brings it to the front.
    void ShowModeless();

    int helpContext() const { return helpContext_; }

    // The device type the texts are checked for on "OK": the one the
    // parameter set has at that moment, which may change while a dialog is open.
    using DeviceTypeSource = std::function<std::uint8_t()>;
    void SetDeviceTypeSource(DeviceTypeSource source) { deviceType_ = std::move(source); }

  signals:
    // "OK" has passed the dialog's checks: whoever listens takes Values() and
    // keeps them, before the dialog closes.
    void Committed();

  public slots:
    virtual void OKBtnClick();
    virtual void CancelBtnClick();
    virtual void HelpBtnClick();

  protected:
    // Puts the buttons after the dialog's own controls in the tab order and
    // gives the keyboard to the first control, so a dialog can be filled in
    // from the keyboard as soon as it opens.
    void showEvent(QShowEvent* event) override;

    // Adds the "&Hilfe" button, which asks for the given help context.
    void AddHelpButton(int helpContext);

    QHBoxLayout* buttonRow_ = nullptr;

    std::uint8_t DeviceType() const { return deviceType_ ? deviceType_() : 0; }

  private:
    QWidget* FirstControl() const;

    int helpContext_ = 0;
    bool tabOrderArranged_ = false;
    DeviceTypeSource deviceType_;
};
