#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace qvt {

class ParallelPort;

// The two primitives every programming step goes through: one byte written to
// or read from an I/O address. Without a port (no access on this machine)
// writes do nothing and reads give 0. Optionally every access and every busy
// wait is appended to a trace file, one line each:
//   W 0378 0C   byte written      R 0379 40   byte read      D 3000   wait in units
class PortIo {
  public:
    explicit PortIo(ParallelPort* port = nullptr) : port_(port) {}
    ~PortIo();
    PortIo(const PortIo&) = delete;
    PortIo& operator=(const PortIo&) = delete;

    void SetPort(ParallelPort* port) { port_ = port; }
    bool hasPort() const { return port_ != nullptr; }

    // Starts appending to the trace file; false when it cannot be opened.
    bool OpenTrace(const std::string& path);
    void FlushTrace();

    void PortWrite(std::uint16_t port, std::uint8_t value);
    std::uint8_t PortRead(std::uint16_t port);
    void TraceDelay(int units);

  private:
    ParallelPort* port_;
    std::FILE* trace_ = nullptr;
};

}  // namespace qvt
