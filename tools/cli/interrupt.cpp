#include "interrupt.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <csignal>

namespace cli {
namespace {

std::atomic<bool> interrupted{false};
int wakeUp[2] = {-1, -1};

void OnSignal(int) {
    interrupted = true;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(wakeUp[1], &byte, 1);
}

}  // namespace

void CatchInterrupt() {
    if (wakeUp[0] >= 0)
        return;
    if (pipe2(wakeUp, O_CLOEXEC | O_NONBLOCK) != 0)
        wakeUp[0] = wakeUp[1] = -1;
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

bool Interrupted() {
    return interrupted;
}

int InterruptDescriptor() {
    return wakeUp[0];
}

}  // namespace cli
