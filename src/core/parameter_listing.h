#pragma once

#include <string>
#include <vector>

namespace qvt {

struct ParameterRecord;

// One stored parameter as a technician reads it: the label of its dialog
// (UTF-8), the value as the file stores it, and what it means for the file's
// device type: the choice a code stands for, or the number the device
// receives (a text the telegram cannot carry says so with its range).
struct ParameterLine {
    std::string label;
    std::string stored;
    std::string meaning;
};

// Every parameter a .QVC file stores, in the order of the dialogs.
std::vector<ParameterLine> ListParameters(const ParameterRecord& record);

}  // namespace qvt
