#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/dialog_values.h"
#include "dialogs/ok_cancel_dialog.h"

class QAbstractButton;
class QCheckBox;
class QLineEdit;
namespace qvt {
class FieldEdit;
}

namespace qvt::dialogs {

// "Anzeige": decimal point, rounding of the last digit, averaging, unit text,
// divide by ten and display reception; "TEST" sends a value to the device's
// display at once.
class DisplayDialog : public OkCancelDialog {
    Q_OBJECT
  public:
    explicit DisplayDialog(QWidget* parent = nullptr);

    // Sends a test value to the device and waits for its answer. Gets the text
    // of the "Testwert" field as shown (four positions) and the decimal point
    // as chosen by the dialog's buttons: 0 none, 1 "X . XXX", 2 "XX . XX",
    // 3 "XXX . X" (no device type exchange). Returns the reply byte, or
    // nothing when none arrived. The device link installs it; without one,
    // "TEST" reports the failed transmission.
    using TestValueSender =
        std::function<std::optional<std::uint8_t>(std::string_view testValue, int pointPosition)>;
    void SetTestValueSender(TestValueSender sender) { testValueSender_ = std::move(sender); }

    // Shows the values with the test value "0", and the dialog.
    void Open(const DisplayValues& values);
    // The controls as the values say, and the values as the controls stand.
    void ShowValues(const DisplayValues& values);
    DisplayValues Values() const;

    // The test value's four positions, a blank position as ' '.
    std::string TestValuePositions() const;
    // The decimal point as the buttons stand: 0 none .. 3 "XXX . X".
    int ChosenPointPosition() const;

  protected:
    void CheckAndCommit() override;

  private:
    // "TEST": refuses a value the display cannot show, else sends it and
    // reports whether the device took it.
    void SendTestValue();

    // "Kein Punkt", "X . XXX", "XX . XX", "XXX . X".
    std::array<QAbstractButton*, 4> pointButtons_{};
    // "Immer 0", "Normal ...", "Nur Gerade ...", "Fünfer 0/5/0".
    std::array<QAbstractButton*, 4> roundingButtons_{};
    FieldEdit* averageCountEdit_ = nullptr;
    FieldEdit* unitTextEdit_ = nullptr;
    QCheckBox* divideBy10Box_ = nullptr;        // "Teiler durch 10"
    QCheckBox* displayReceptionBox_ = nullptr;  // "Display-Empfang"
    QLineEdit* testValueEdit_ = nullptr;        // four digit positions
    QPushButton* testButton_ = nullptr;         // "TEST"
    TestValueSender testValueSender_;
    Rounding shownRounding_ = Rounding::kNormal;
};

}  // namespace qvt::dialogs
