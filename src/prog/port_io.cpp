#include "prog/port_io.h"

#include "platform/parallel_port.h"

namespace qvt {

void PortIo::PortWrite(std::uint16_t port, std::uint8_t value) {
    if (port_)
        port_->Write(port, value);
    trace_.Written(port, value);
}

std::uint8_t PortIo::PortRead(std::uint16_t port) {
    const std::uint8_t value = port_ ? port_->Read(port) : 0;
    trace_.Read(port, value);
    return value;
}

void PortIo::TraceDelay(int units) {
    trace_.Waited(units);
}

}  // namespace qvt
