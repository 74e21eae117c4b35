#pragma once

namespace cli {

// The program's exit codes; scripts rely on their numbers.
enum ExitCode : int {
    kSuccess = 0,  // or no difference
    kUsage = 1,
    kDifferent = 1,      // diff found a difference
    kRefused = 2,        // the device answered with anything but 0x06
    kNoReply = 3,        // no reply in the window, or --count not reached in --seconds
    kProgramFailed = 4,  // programming or erasing failed
    kBadFile = 5,        // a file missing, unreadable or malformed
    kPortFailed = 6,     // the port could not be opened or is in use
    kLogFailed = 7,      // monitor --log: lines did not reach the log file
    kInterrupted = 130,  // Ctrl-C, after the closing steps
};

}  // namespace cli
