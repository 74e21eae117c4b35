#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/dialog_values.h"
#include "dialogs/ok_bottom_dlg.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QRadioButton;
namespace qvt {
class FieldEdit;
}

// "Anzeige": decimal point, rounding of the last digit, averaging, unit text,
// divide by ten and display reception; "TEST" sends a value to the device's
// display at once.
class TAzDlg : public TOKBottomDlg {
    Q_OBJECT
  public:
    explicit TAzDlg(QWidget* parent = nullptr);

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
    void Open(const qvt::DisplayValues& values);
    // The controls as the values say, and the values as the controls stand.
    void ShowValues(const qvt::DisplayValues& values);
    qvt::DisplayValues Values() const;

    // The test value's four positions, a blank position as ' '.
    std::string TestValuePositions() const;
    // The decimal point as the buttons stand: 0 none .. 3 "XXX . X".
    int ChosenPointPosition() const;

    QGroupBox* GroupBox1 = nullptr;  // "Dezimalpunkt"
    QRadioButton* DzRBtn1 = nullptr;
    QRadioButton* DzRBtn2 = nullptr;
    QRadioButton* DzRBtn3 = nullptr;
    QRadioButton* DzRBtn4 = nullptr;
    QGroupBox* GroupBox2 = nullptr;  // "Letzte Stelle Runden"
    QRadioButton* RuRBtn1 = nullptr;
    QRadioButton* RuRBtn2 = nullptr;
    QRadioButton* RuRBtn3 = nullptr;
    QRadioButton* RuRBtn4 = nullptr;
    qvt::FieldEdit* AzEdit1 = nullptr;  // average count
    qvt::FieldEdit* AzEdit2 = nullptr;  // unit text
    QCheckBox* AzCBox = nullptr;        // "Teiler durch 10"
    QCheckBox* AzDBox = nullptr;        // "Display-Empfang"
    QLineEdit* AzDEdit1 = nullptr;      // test value, four digit positions
    QPushButton* Button1 = nullptr;     // "TEST"

  public slots:
    void OKBtnClick() override;
    void Button1Click();

  private:
    TestValueSender testValueSender_;
    qvt::Rounding shownRounding_ = qvt::Rounding::kNormal;
};
