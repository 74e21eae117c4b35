#include "shell/parameter_file_dialog.h"

#include <QFileDialog>
#include <QStringList>

#include "shell/file_dialog_filters.h"

namespace qvt {

std::unique_ptr<QFileDialog> MakeParameterFileDialog(ParameterFileDialog kind, QWidget* parent) {
    auto dialog = std::make_unique<QFileDialog>(parent);
    const bool open = kind == ParameterFileDialog::kOpen;
    dialog->setObjectName(open ? "OpenDialog1" : "SaveDialog1");
    dialog->setWindowTitle(open ? "Parameter laden" : "Konfiguration speichern unter");
    dialog->setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog->setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    // The same dialog on every desktop, so keyboard use is always the same.
    dialog->setOption(QFileDialog::DontUseNativeDialog, true);
    // The patterns also match lower-case extensions, since Linux names are
    // case-sensitive; the filter list itself shows the captions alone.
    SetCaptionedNameFilters(*dialog,
                            {"Konfigurationsdatei      *.QVC", "Alle Dateien                 *.*"},
                            {"(*.QVC *.qvc)", "(*)"});
    dialog->setDefaultSuffix("QVC");
    dialog->selectFile("Default.QVC");
    return dialog;
}

QString AskParameterFileName(ParameterFileDialog kind, QWidget* parent) {
    const std::unique_ptr<QFileDialog> dialog = MakeParameterFileDialog(kind, parent);
    if (dialog->exec() != QDialog::Accepted)
        return {};
    const QStringList files = dialog->selectedFiles();
    return files.isEmpty() ? QString() : files.front();
}

}  // namespace qvt
