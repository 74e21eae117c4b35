#pragma once

#include <csignal>
#include <string>

#include "devsim/sim_options.h"

namespace devsim {

// Runs the device on an open tty (the pseudo terminal's master side or a real
// port) until `stop` is set: sends the cyclic telegrams at the line's pace,
// answers the PC's telegrams and reports them on stdout.
int RunDevice(int fd, const Options& options, const volatile std::sig_atomic_t& stop);

}  // namespace devsim
