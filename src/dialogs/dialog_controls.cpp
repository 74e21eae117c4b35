#include "dialogs/dialog_controls.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <algorithm>

namespace qvt {

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

QRadioButton* MakeRadio(QWidget* parent, const char* name, const QString& caption) {
    auto* button = new QRadioButton(caption, parent);
    button->setObjectName(name);
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
    for (QAbstractButton* button : buttons) {
        // An exclusive radio button refuses to be unchecked directly.
        const bool exclusive = button->autoExclusive();
        button->setAutoExclusive(false);
        button->setChecked(false);
        button->setAutoExclusive(exclusive);
    }
}

int CheckedIndex(std::initializer_list<const QAbstractButton*> buttons) {
    int index = 0;
    for (const QAbstractButton* button : buttons) {
        if (button->isChecked())
            return index;
        ++index;
    }
    return -1;
}

QString FromField(std::string_view field) {
    return QString::fromLatin1(field.data(), static_cast<qsizetype>(field.size()));
}

std::string ToField(const QString& text) {
    return text.toLatin1().toStdString();
}

}  // namespace qvt
