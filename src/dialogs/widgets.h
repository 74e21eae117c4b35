#pragma once

#include <QLineEdit>
#include <QString>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QRadioButton;
class QWidget;

namespace qvt {

// The widget helpers of the dialogs and the main window.

// Single-byte texts of the record and the device shown in widgets, and back
// (core/latin1_text.h): a unit such as "°C" reaches the device as the bytes B0 43.
QString FromField(std::string_view field);
std::string ToField(const QString& text);
// Bytes from the device on one line: a CR or LF it carries along shows as a blank.
QString DeviceText(std::string_view bytes);

// An edit for a record text field. Its limit applies to typing only: a longer
// text put in by the program is shown whole and handed back whole, but the
// user cannot make it any longer.
class FieldEdit : public QLineEdit {
    Q_OBJECT
  public:
    FieldEdit(int limit, QWidget* parent);
    int limit() const { return limit_; }

    // Shows a record field unchanged, and gives the text back as the field's bytes.
    void SetField(std::string_view field);
    std::string Field() const;

  private:
    void FollowText(const QString& text);
    int limit_;
};

// Controls with their object names: the names the help, the tests and the
// service staff know the controls by, which never change.
FieldEdit* MakeEdit(QWidget* parent, const char* name, int limit, const QString& designText = {});
QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, QWidget* buddy = nullptr);
// A label for texts that come from outside (telegrams, file names): shown as
// they are, never as markup.
QLabel* MakeTextLabel(QWidget* parent, const char* name, const QString& text = {});
// A button of the group, when one is given, else of its parent's buttons.
QRadioButton* MakeRadio(QWidget* parent, const char* name, const QString& caption,
                        QButtonGroup* group = nullptr);
QCheckBox* MakeCheck(QWidget* parent, const char* name, const QString& caption);
QGroupBox* MakeGroup(QWidget* parent, const char* name, const QString& caption);

// Unchecks every given button, radio buttons of an exclusive group included.
void ClearChecks(std::initializer_list<QAbstractButton*> buttons);
// Checks the button at the index; an index outside the list checks none.
void CheckAt(std::initializer_list<QAbstractButton*> buttons, int index);
// Position of the first checked button in the list, -1 when none is checked.
int CheckedIndex(std::initializer_list<const QAbstractButton*> buttons);
// The same for a dialog's array of buttons.
void ClearChecks(std::span<QAbstractButton* const> buttons);
void CheckAt(std::span<QAbstractButton* const> buttons, int index);
int CheckedIndex(std::span<const QAbstractButton* const> buttons);

}  // namespace qvt
