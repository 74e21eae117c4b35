#pragma once

#include <QString>

class QWidget;

namespace qvt {

enum class SaveAnswer { kSave, kDiscard, kCancel };

// "Änderungen an <name> speichern?" under "Frage", with "Ja", "Nein" and
// "Abbrechen"; Enter saves, Esc cancels.
SaveAnswer AskToSaveChanges(QWidget* parent, const QString& fileName);

}  // namespace qvt
