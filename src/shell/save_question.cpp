#include "shell/save_question.h"

#include <QMessageBox>
#include <QPushButton>

namespace qvt {

SaveAnswer AskToSaveChanges(QWidget* parent, const QString& fileName) {
    QMessageBox box(QMessageBox::Question, "Frage",
                    QString::fromUtf8("Änderungen an %1 speichern?").arg(fileName),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent);
    // The same captions whether or not Qt's German translations are installed.
    box.button(QMessageBox::Yes)->setText("&Ja");
    box.button(QMessageBox::No)->setText("&Nein");
    box.button(QMessageBox::Cancel)->setText("Abbrechen");
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
        case QMessageBox::Yes:
            return SaveAnswer::kSave;
        case QMessageBox::No:
            return SaveAnswer::kDiscard;
        default:
            return SaveAnswer::kCancel;
    }
}

}  // namespace qvt
