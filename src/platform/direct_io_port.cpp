#include "platform/direct_io_port.h"

#if defined(__x86_64__) || defined(__i386__)
#include <sys/io.h>
#define QVT_HAVE_PORT_IO 1
#endif

namespace qvt {

#ifdef QVT_HAVE_PORT_IO

DirectIoPort::~DirectIoPort() {
    if (open_)
        ioperm(base_, 3, 0);
}

bool DirectIoPort::Open() {
    open_ = ioperm(base_, 3, 1) == 0;
    return open_;
}

// Outside the granted range the instruction would fault, so such addresses
// are ignored as on a port that is not there.
void DirectIoPort::Write(std::uint16_t address, std::uint8_t value) {
    if (Granted(address))
        outb(value, address);
}

std::uint8_t DirectIoPort::Read(std::uint16_t address) {
    return Granted(address) ? inb(address) : 0;
}

#else  // processors without I/O port instructions

DirectIoPort::~DirectIoPort() = default;
bool DirectIoPort::Open() {
    return false;
}
void DirectIoPort::Write(std::uint16_t, std::uint8_t) {}
std::uint8_t DirectIoPort::Read(std::uint16_t) {
    return 0;
}

#endif

}  // namespace qvt
