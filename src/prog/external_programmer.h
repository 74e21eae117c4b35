#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/message_severity.h"
#include "platform/process_runner.h"

namespace qvt {

// The 470 family is programmed by the outside programmer program XPG.EXE.
inline constexpr const char* kExternalProgrammer = "XPG.EXE";

// Starts a program and waits for it. The arguments exclude the program's
// own name, which the runner passes as argument 0.
using ProgramRunner = std::function<ProgramExit(const std::string& program,
                                                const std::vector<std::string>& arguments)>;
using MessageSink = std::function<void(const std::string& text, Severity severity)>;

// Writes the variant's firmware ("W"), and after success starts the device
// ("S", always as variant QVT470). Returns 0 after a successful first run,
// otherwise the first run's exit code (-1 when it did not start, 128 + the
// signal number when a signal ended it), which has been reported.
int RunExternalProgrammer(const std::string& variantName, const ProgramRunner& run,
                          const MessageSink& show);

// The message for a first run that did not end with exit code 0.
std::string ExternalProgrammerMessage(const ProgramExit& exit);

}  // namespace qvt
