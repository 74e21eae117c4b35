#include "dialogs/ok_cancel_dialog.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "platform/help.h"

namespace qvt::dialogs {

OkCancelDialog::OkCancelDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("OKBottomDlg");
    setWindowTitle("Dialog");
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    controlArea_ = new QFrame(this);
    controlArea_->setObjectName("Bevel1");
    controlArea_->setFrameShape(QFrame::Box);
    controlArea_->setFrameShadow(QFrame::Sunken);

    okButton_ = new QPushButton("OK", this);
    okButton_->setObjectName("OKBtn");
    okButton_->setDefault(true);
    cancelButton_ = new QPushButton("Abbrechen", this);
    cancelButton_->setObjectName("CancelBtn");

    buttonRow_ = new QHBoxLayout;
    buttonRow_->addStretch(1);
    buttonRow_->addWidget(okButton_);
    buttonRow_->addWidget(cancelButton_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(controlArea_, 1);
    layout->addLayout(buttonRow_);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(okButton_, &QPushButton::clicked, this, [this] { CheckAndCommit(); });
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}

void OkCancelDialog::AddHelpButton(int helpContext) {
    helpContext_ = helpContext;
    helpButton_ = new QPushButton("&Hilfe", this);
    helpButton_->setObjectName("HelpBtn");
    buttonRow_->addWidget(helpButton_);
    connect(helpButton_, &QPushButton::clicked, this, [this] { ShowHelp(); });
}

void OkCancelDialog::ShowModeless() {
    show();
    raise();
    activateWindow();
}

namespace {
bool TakesTabFocus(const QWidget* w) {
    return (w->focusPolicy() & Qt::TabFocus) != 0;
}
}  // namespace

QWidget* OkCancelDialog::FirstControl() const {
    for (QWidget* w : controlArea_->findChildren<QWidget*>()) {
        if (!TakesTabFocus(w) || w->isHidden())
            continue;
        // In a radio group the keyboard goes to the chosen button.
        if (auto* radio = qobject_cast<QRadioButton*>(w); radio && !radio->isChecked()) {
            for (auto* sibling :
                 radio->parentWidget()->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly)) {
                if (sibling->isChecked() && !sibling->isHidden())
                    return sibling;
            }
        }
        return w;
    }
    return nullptr;
}

void OkCancelDialog::showEvent(QShowEvent* event) {
    if (!tabOrderArranged_) {
        tabOrderArranged_ = true;
        QWidget* previous = nullptr;
        QList<QWidget*> order;
        for (QWidget* w : controlArea_->findChildren<QWidget*>()) {
            if (TakesTabFocus(w))
                order << w;
        }
        order << okButton_ << cancelButton_;
        if (helpButton_)
            order << helpButton_;
        for (QWidget* w : order) {
            if (previous)
                setTabOrder(previous, w);
            previous = w;
        }
        // Enter acts on the button that has the focus; OK is the default only
        // while no other button has it, as in every classic dialog.
        for (QPushButton* button : findChildren<QPushButton*>()) button->setAutoDefault(true);
    }
    if (QWidget* first = FirstControl())
        first->setFocus(Qt::TabFocusReason);
    QDialog::showEvent(event);
}

void OkCancelDialog::CheckAndCommit() {
    emit Committed();
    accept();
}

void OkCancelDialog::ShowHelp() const {
    help::ShowContext(helpContext_);
}

}  // namespace qvt::dialogs
