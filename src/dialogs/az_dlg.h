#pragma once

#include <functional>
#include <string_view>

#include "dialogs/ok_bottom_dlg.h"

class TAzDlg : public TOKBottomDlg {
    Q_OBJECT
public:
    TAzDlg(qvt::ParameterRecord& record, qvt::ApplicationState& state, QWidget* parent = nullptr);

    // Sends a test value to the device and waits for its answer. Gets the text
    // of the "Testwert" field as shown (four positions) and the decimal point
    // as chosen by the dialog's buttons: 0 none, 1 "X . XXX", 2 "XX . XX",
    // 3 "XXX . X" (no device type exchange). Returns the reply byte, or -1
    // when none arrived. The device link installs it; without one, "TEST"
    // reports the failed transmission.
    using TestValueSender = std::function<int(std::string_view testValue, int pointPosition)>;
    void SetTestValueSender(TestValueSender sender) { testValueSender_ = std::move(sender); }

private:
    qvt::ParameterRecord& record_;
    qvt::ApplicationState& state_;
    TestValueSender testValueSender_;
};
