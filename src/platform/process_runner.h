#pragma once

#include <string>
#include <vector>

namespace qvt {

// How a started program ended.
struct ProgramExit {
    enum class How { kNotStarted, kExited, kSignalled };
    How how = How::kNotStarted;
    int code = -1;   // the exit code, when it exited
    int signal = 0;  // the signal that ended it, when signalled
};

// Starts the program file `program` from folder (never from the search path,
// never from the current directory), with folder as its working directory,
// argument 0 = program as given and then arguments, sharing this process's
// environment and standard streams, and waits for it without a time-out.
ProgramExit RunProgramAndWait(const std::string& folder, const std::string& program,
                              const std::vector<std::string>& arguments);

// "SIGKILL (9)".
std::string SignalName(int signal);

}  // namespace qvt
