#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "core/field_check.h"

class QWidget;

namespace qvt {

class FieldEdit;

// One message under "Fehler" naming every text that cannot be sent.
void ShowFieldFaults(QWidget* parent, const std::vector<FieldFault>& faults);

// Refuses a dialog's "OK": the faults are shown and the keyboard goes to the
// first failing edit, so the user can correct it in the dialog that stays open.
void RefuseFaults(QWidget* dialog, const std::vector<FieldFault>& faults, FieldEdit* firstFailing);

struct CheckedEdit {
    NumericField field;
    FieldEdit* edit;
};

// A dialog's OK: whether every edit's text can be sent as it reads for the
// device type. If not, RefuseFaults.
bool EditsFitTheirFields(QWidget* dialog, std::uint8_t deviceType,
                         std::initializer_list<CheckedEdit> edits);

}  // namespace qvt
