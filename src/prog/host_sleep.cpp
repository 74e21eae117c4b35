#include "prog/host_sleep.h"

#include <chrono>
#include <thread>

namespace qvt {

HostSleep ThreadSleep() {
    return [](std::int64_t nanoseconds) {
        std::this_thread::sleep_for(std::chrono::nanoseconds(nanoseconds));
    };
}

}  // namespace qvt
