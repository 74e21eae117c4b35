#include "dialogs/field_guard.h"

#include <QString>

#include "dialogs/message_box.h"
#include "dialogs/widgets.h"

namespace qvt {

void ShowFieldFaults(QWidget* parent, const std::vector<FieldFault>& faults) {
    ShowMessage(parent, QString::fromStdString(FaultLines(faults)), Severity::kError);
}

bool EditsFitTheirFields(QWidget* dialog, std::uint8_t deviceType,
                         std::initializer_list<CheckedEdit> edits) {
    std::vector<FieldFault> faults;
    FieldEdit* firstFailing = nullptr;
    for (const CheckedEdit& checked : edits) {
        if (auto fault = CheckField(checked.field, checked.edit->Field(), deviceType)) {
            faults.push_back(std::move(*fault));
            if (!firstFailing)
                firstFailing = checked.edit;
        }
    }
    if (!firstFailing)
        return true;
    RefuseFaults(dialog, faults, firstFailing);
    return false;
}

void RefuseFaults(QWidget* dialog, const std::vector<FieldFault>& faults, FieldEdit* firstFailing) {
    ShowFieldFaults(dialog, faults);
    // After the message box, so that its closing does not take the focus elsewhere.
    firstFailing->setFocus(Qt::OtherFocusReason);
    firstFailing->selectAll();
}

}  // namespace qvt
