#pragma once

#include <QString>
#include <memory>

class QFileDialog;
class QWidget;

namespace qvt {

// The two file dialogs of the parameter file commands: "OpenDialog1" for
// loading and "SaveDialog1" for saving, with their titles, filters and the
// default name "Default.QVC".
enum class ParameterFileDialog { kOpen, kSave };

std::unique_ptr<QFileDialog> MakeParameterFileDialog(ParameterFileDialog kind, QWidget* parent);

// Runs the dialog modally; the chosen path, or an empty text when cancelled.
QString AskParameterFileName(ParameterFileDialog kind, QWidget* parent);

}  // namespace qvt
