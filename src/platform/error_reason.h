#pragma once

#include <string>

namespace qvt {

// Why a file or device could not be used (an errno value), in the words the
// user reads in the program's messages.
std::string ErrorReason(int error);

}  // namespace qvt
