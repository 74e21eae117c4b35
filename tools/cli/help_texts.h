#pragma once

#include <string>

namespace cli {

// The German help of the program (command empty) or of one command.
std::string HelpText(const std::string& command);

}  // namespace cli
