#pragma once

#include <QStringList>

class QFileDialog;

// Sets the dialog's filters, each a caption as designed (blanks included)
// with the patterns behind it. Qt's filter list would show every filter with
// its patterns and with single blanks; the list shows the captions instead.
void SetDesignedNameFilters(QFileDialog& dialog, const QStringList& captions,
                            const QStringList& patterns);
