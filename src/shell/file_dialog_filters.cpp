#include "shell/file_dialog_filters.h"

#include <QComboBox>
#include <QFileDialog>

namespace qvt {

void SetCaptionedNameFilters(QFileDialog& dialog, const QStringList& captions,
                             const QStringList& patterns) {
    QStringList filters;
    for (qsizetype i = 0; i < captions.size(); ++i)
        filters << captions[i] + " " + patterns.value(i);
    dialog.setNameFilters(filters);
    // The list inside Qt's own dialog is reached by its name: the dialog
    // offers no other way to it.
    if (auto* list = dialog.findChild<QComboBox*>("fileTypeCombo")) {
        for (int i = 0; i < captions.size() && i < list->count(); ++i)
            list->setItemText(i, captions[i]);
    }
}

}  // namespace qvt
