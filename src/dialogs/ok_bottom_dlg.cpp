#include "dialogs/ok_bottom_dlg.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "platform/help.h"

TOKBottomDlg::TOKBottomDlg(QWidget* parent) : QDialog(parent) {
    setObjectName("OKBottomDlg");
    setWindowTitle("Dialog");
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName("Bevel1");
    Bevel1->setFrameShape(QFrame::Box);
    Bevel1->setFrameShadow(QFrame::Sunken);

    OKBtn = new QPushButton("OK", this);
    OKBtn->setObjectName("OKBtn");
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton("Abbrechen", this);
    CancelBtn->setObjectName("CancelBtn");

    buttonRow_ = new QHBoxLayout;
    buttonRow_->addStretch(1);
    buttonRow_->addWidget(OKBtn);
    buttonRow_->addWidget(CancelBtn);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Bevel1, 1);
    layout->addLayout(buttonRow_);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
    connect(CancelBtn, &QPushButton::clicked, this, [this] { CancelBtnClick(); });
}

void TOKBottomDlg::AddHelpButton(int helpContext) {
    helpContext_ = helpContext;
    HelpBtn = new QPushButton("&Hilfe", this);
    HelpBtn->setObjectName("HelpBtn");
    buttonRow_->addWidget(HelpBtn);
    connect(HelpBtn, &QPushButton::clicked, this, [this] { HelpBtnClick(); });
}

void TOKBottomDlg::ShowModeless() {
    show();
    raise();
    activateWindow();
}

namespace {
bool TakesTabFocus(const QWidget* w) {
    return (w->focusPolicy() & Qt::TabFocus) != 0;
}
}  // namespace

QWidget* TOKBottomDlg::FirstControl() const {
    for (QWidget* w : Bevel1->findChildren<QWidget*>()) {
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

void TOKBottomDlg::showEvent(QShowEvent* event) {
    if (!tabOrderArranged_) {
        tabOrderArranged_ = true;
        QWidget* previous = nullptr;
        QList<QWidget*> order;
        for (QWidget* w : Bevel1->findChildren<QWidget*>()) {
            if (TakesTabFocus(w))
                order << w;
        }
        order << OKBtn << CancelBtn;
        if (HelpBtn)
            order << HelpBtn;
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

void TOKBottomDlg::OKBtnClick() {
    emit Committed();
    accept();
}

void TOKBottomDlg::CancelBtnClick() {
    reject();
}

void TOKBottomDlg::HelpBtnClick() {
    qvt::help::ShowContext(helpContext_);
}
