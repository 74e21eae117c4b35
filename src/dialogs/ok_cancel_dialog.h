#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>

class QFrame;
class QHBoxLayout;
class QPushButton;

namespace qvt::dialogs {

// The frame of the parameter dialogs and the two port dialogs: an area
// for the dialog's own controls above the buttons "OK" (default, Enter) and
// "Abbrechen" (Esc); Enter on a focused button acts on that button. Dialogs
// are shown modelessly, except where a caller runs one with exec(); closing
// only hides them.
class OkCancelDialog : public QDialog {
    Q_OBJECT
  public:
    explicit OkCancelDialog(QWidget* parent = nullptr);

    // Shows the dialog without blocking and brings it to the front.
    void ShowModeless();

    // The help topic "&Hilfe" asks for.
    int HelpContext() const { return helpContext_; }

    // The device type the texts are checked for on "OK": the one the
    // parameter set has at that moment, which may change while a dialog is open.
    using DeviceTypeSource = std::function<std::uint8_t()>;
    void SetDeviceTypeSource(DeviceTypeSource source) { deviceType_ = std::move(source); }

  signals:
    // "OK" has passed the dialog's checks: whoever listens takes Values() and
    // keeps them, before the dialog closes.
    void Committed();

  protected:
    // "OK": dialogs with checks override it and call it once their checks pass.
    virtual void CheckAndCommit();

    // Puts the buttons after the dialog's own controls in the tab order and
    // gives the keyboard to the first control, so a dialog can be filled in
    // from the keyboard as soon as it opens.
    void showEvent(QShowEvent* event) override;

    // Adds the "&Hilfe" button, which asks for the given help context.
    void AddHelpButton(int helpContext);

    // The frame every derived dialog puts its controls in.
    QFrame* ControlArea() const { return controlArea_; }

    std::uint8_t DeviceType() const { return deviceType_ ? deviceType_() : 0; }

  private:
    QWidget* FirstControl() const;
    void ShowHelp() const;

    QFrame* controlArea_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* helpButton_ = nullptr;  // added by dialogs that offer help
    QHBoxLayout* buttonRow_ = nullptr;
    int helpContext_ = 0;
    bool tabOrderArranged_ = false;
    DeviceTypeSource deviceType_;
};

}  // namespace qvt::dialogs
