#pragma once

#include <cstdint>
#include <string>

#include "prog/port_trace.h"

namespace qvt {

class ParallelPort;

// The two primitives every programming step goes through: one byte written to
// or read from an I/O address. Without a port (no access on this machine)
// writes do nothing and reads give 0. Every access goes to the port trace
// (port_trace.h) when one is open.
class PortIo {
  public:
    explicit PortIo(ParallelPort* port = nullptr) : port_(port) {}
    PortIo(const PortIo&) = delete;
    PortIo& operator=(const PortIo&) = delete;

    void SetPort(ParallelPort* port) { port_ = port; }
    bool hasPort() const { return port_ != nullptr; }

    // Starts appending to the trace file; false when it cannot be opened.
    bool OpenTrace(const std::string& path) { return trace_.Open(path); }
    void FlushTrace() { trace_.Flush(); }
    PortTrace& trace() { return trace_; }

    void PortWrite(std::uint16_t port, std::uint8_t value);
    std::uint8_t PortRead(std::uint16_t port);
    void TraceDelay(int units);

  private:
    ParallelPort* port_;
    PortTrace trace_;
};

}  // namespace qvt
