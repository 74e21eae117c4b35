#include "dialogs/widgets.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <algorithm>

#include "core/latin1_text.h"

namespace qvt {

QString FromField(std::string_view field) {
    return QString::fromStdString(Utf8FromLatin1(field));
}

std::string ToField(const QString& text) {
    return Latin1FromUtf8(text.toStdString());
}

QString DeviceText(std::string_view bytes) {
    return FromField(OnOneLine(bytes));
}

FieldEdit::FieldEdit(int limit, QWidget* parent) : QLineEdit(parent), limit_(limit) {
    setMaxLength(limit_);
    connect(this, &QLineEdit::textChanged, this, &FieldEdit::FollowText);
}

void FieldEdit::FollowText(const QString& text) {
    // Never below the current length (which would cut the text), never above
    // it once the limit is reached (so typing cannot lengthen an overlong text).
    setMaxLength(std::max(limit_, static_cast<int>(text.size())));
}

void FieldEdit::SetField(std::string_view field) {
    const QString text = FromField(field);
    setMaxLength(std::max(limit_, static_cast<int>(text.size())));
    setText(text);
}

std::string FieldEdit::Field() const {
    return ToField(text());
}

FieldEdit* MakeEdit(QWidget* parent, const char* name, int limit, const QString& designText) {
    auto* edit = new FieldEdit(limit, parent);
    edit->setObjectName(name);
    edit->setText(designText);
    return edit;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    if (buddy)
        label->setBuddy(buddy);
    return label;
}

QLabel* MakeTextLabel(QWidget* parent, const char* name, const QString& text) {
    QLabel* label = MakeLabel(parent, name, text);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QRadioButton* MakeRadio(QWidget* parent, const char* name, const QString& caption,
                        QButtonGroup* group) {
    auto* button = new QRadioButton(caption, parent);
    button->setObjectName(name);
    if (group)
        group->addButton(button);
    return button;
}

QCheckBox* MakeCheck(QWidget* parent, const char* name, const QString& caption) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    return box;
}

QGroupBox* MakeGroup(QWidget* parent, const char* name, const QString& caption) {
    auto* group = new QGroupBox(caption, parent);
    group->setObjectName(name);
    return group;
}

void ClearChecks(std::initializer_list<QAbstractButton*> buttons) {
    ClearChecks(std::span<QAbstractButton* const>(buttons.begin(), buttons.size()));
}

void ClearChecks(std::span<QAbstractButton* const> buttons) {
    for (QAbstractButton* button : buttons) {
        // An exclusive radio button refuses to be unchecked directly.
        const bool exclusive = button->autoExclusive();
        button->setAutoExclusive(false);
        button->setChecked(false);
        button->setAutoExclusive(exclusive);
    }
}

void CheckAt(std::initializer_list<QAbstractButton*> buttons, int index) {
    CheckAt(std::span<QAbstractButton* const>(buttons.begin(), buttons.size()), index);
}

void CheckAt(std::span<QAbstractButton* const> buttons, int index) {
    if (index >= 0 && index < static_cast<int>(buttons.size()))
        buttons[static_cast<std::size_t>(index)]->setChecked(true);
}

int CheckedIndex(std::span<const QAbstractButton* const> buttons) {
    int index = 0;
    for (const QAbstractButton* button : buttons) {
        if (button->isChecked())
            return index;
        ++index;
    }
    return -1;
}

int CheckedIndex(std::initializer_list<const QAbstractButton*> buttons) {
    return CheckedIndex(std::span<const QAbstractButton* const>(buttons.begin(), buttons.size()));
}

}  // namespace qvt
