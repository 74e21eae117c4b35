#pragma once

#include <QDialog>
#include <QFrame>  // Bevel1 is where every derived dialog puts its controls

class QHBoxLayout;
class QPushButton;

namespace qvt {
struct ApplicationState;
struct ParameterRecord;
}  // namespace qvt

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

  private:
    QWidget* FirstControl() const;

    int helpContext_ = 0;
    bool tabOrderArranged_ = false;
};
