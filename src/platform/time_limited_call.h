#pragma once

#include <chrono>
#include <functional>

namespace qvt {

// Runs a system call that may sleep in the kernel for as long as another
// process pleases (claiming a parallel port another program holds, opening a
// device), but gives up after limit: a timer aimed at the calling thread
// sends it a signal whose handler does nothing, which ends the sleep with
// EINTR. The timer keeps firing every few milliseconds after the limit, so a
// signal that came just before the call went to sleep cannot be lost.
//
// Returns what call returned. When the limit passed first, returns -1 with
// errno ETIMEDOUT; when no timer could be set up, returns -1 with errno
// ENOTSUP without calling at all, since the call might then never end.
// call reports failure as -1 with errno, as system calls do; an interruption
// before the limit (another signal) calls it again.
//
// Uses one real-time signal for the duration of the call; for the main
// thread, not for several threads at once.
int CallWithTimeLimit(std::chrono::milliseconds limit, const std::function<int()>& call);

}  // namespace qvt
