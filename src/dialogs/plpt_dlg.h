#pragma once

#include <string>

#include "core/dialog_values.h"
#include "dialogs/ok_bottom_dlg.h"

class QRadioButton;

// "Programmierschnittstelle": which parallel port carries the programming
// cable, used from the next start on (the programming commands keep it in
// QVT410.CFG when "OK" commits it).
class TPLptDlg : public TOKBottomDlg {
    Q_OBJECT
  public:
    explicit TPLptDlg(QWidget* parent = nullptr);

    // The controls as the values say, and the values as the controls stand.
    void ShowValues(const qvt::ParallelPortValues& values);
    qvt::ParallelPortValues Values() const;

    QRadioButton* PLpRBtn1 = nullptr;
    QRadioButton* PLpRBtn2 = nullptr;
    QRadioButton* PLpRBtn3 = nullptr;
};
