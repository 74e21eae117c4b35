#pragma once

#include <optional>
#include <string>

namespace qvt {

// What is left to do after the command line was handled, before any window
// exists (so --help and --version need no display).
struct StartRequest {
    std::optional<int> exitCode;  // set: end now with this status
    std::string file;             // parameter file to load once the window is up
};

// Answers --version, --help and wrong arguments on standard output or error,
// or chooses the working folder (created when missing) and changes into it.
StartRequest HandleCommandLine(int argc, char* argv[]);

}  // namespace qvt
