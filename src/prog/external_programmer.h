#pragma once

#include <functional>
#include <string>
#include <vector>

namespace qvt {

// The 470 family is programmed by the outside programmer program XPG.EXE.
inline constexpr const char* kExternalProgrammer = "XPG.EXE";

// Starts a program and waits for it: its exit code, -1 when it did not start.
// The arguments exclude the program's own name.
using ProgramRunner =
    std::function<int(const std::string& program, const std::vector<std::string>& arguments)>;
using MessageSink = std::function<void(const std::string& text, const std::string& caption)>;

// Writes the variant's firmware ("W"), and after success starts the device
// ("S", always as variant QVT470). Returns 0 after a successful first run,
// otherwise the first run's exit code, which has been reported.
int RunExternalProgrammer(const std::string& variantName, const ProgramRunner& run,
                          const MessageSink& show);

// The message for an exit code of the first run other than 0.
std::string ExternalProgrammerMessage(int exitCode);

}  // namespace qvt
