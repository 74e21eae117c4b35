#pragma once

#include <cstdint>
#include <functional>

namespace qvt {

// Lets at least so many nanoseconds pass on the host: on a real machine the
// thread sleeps; an emulation moves its virtual clock on instead.
using HostSleep = std::function<void(std::int64_t nanoseconds)>;

// The sleep of this thread.
HostSleep ThreadSleep();

}  // namespace qvt
