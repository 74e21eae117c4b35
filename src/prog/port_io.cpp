#include "prog/port_io.h"

#include "platform/parallel_port.h"

namespace qvt {

PortIo::~PortIo() {
    if (trace_)
        std::fclose(trace_);
}

bool PortIo::OpenTrace(const std::string& path) {
    if (trace_)
        std::fclose(trace_);
    trace_ = std::fopen(path.c_str(), "a");
    return trace_ != nullptr;
}

void PortIo::FlushTrace() {
    if (trace_)
        std::fflush(trace_);
}

void PortIo::PortWrite(std::uint16_t port, std::uint8_t value) {
    if (port_)
        port_->Write(port, value);
    if (trace_)
        std::fprintf(trace_, "W %04X %02X\n", port, value);
}

std::uint8_t PortIo::PortRead(std::uint16_t port) {
    const std::uint8_t value = port_ ? port_->Read(port) : 0;
    if (trace_)
        std::fprintf(trace_, "R %04X %02X\n", port, value);
    return value;
}

void PortIo::TraceDelay(int units) {
    if (trace_)
        std::fprintf(trace_, "D %d\n", units);
}

}  // namespace qvt
