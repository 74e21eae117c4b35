#pragma once

#include <QStringList>

class QFileDialog;

namespace qvt {

// Sets the dialog's filters, each a caption as the user knows it (blanks included)
// with the patterns behind it. Qt's filter list would show every filter with
// its patterns and with single blanks; the list shows the captions instead.
void SetCaptionedNameFilters(QFileDialog& dialog, const QStringList& captions,
                             const QStringList& patterns);

}  // namespace qvt
