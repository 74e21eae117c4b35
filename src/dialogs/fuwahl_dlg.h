#pragma once

#include "dialogs/ok_bottom_dlg.h"

class QRadioButton;
class TMbDlg;
class TPtDlg;

// "Funktionswahl": chooses between the measuring range dialog and the sensor
// dialog for the devices that have both. Holds no record field; its choice
// stays as the user left it for the whole run.
class TFuWahlDlg : public TOKBottomDlg {
    Q_OBJECT
  public:
    explicit TFuWahlDlg(QWidget* parent = nullptr);

    // The two dialogs it leads to; both are filled by the menu command before
    // this dialog is shown.
    void SetTargets(TMbDlg* mbDlg, TPtDlg* ptDlg);

    QRadioButton* FuWahlBtn1 = nullptr;  // "Sondermessung" / "Anzeigezeiten"
    QRadioButton* FuWahlBtn2 = nullptr;  // "Temperaturbereich Pt100x"

  public slots:
    void OKBtnClick() override;

  private:
    TMbDlg* mbDlg_ = nullptr;
    TPtDlg* ptDlg_ = nullptr;
};
