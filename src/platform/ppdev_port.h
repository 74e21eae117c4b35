#pragma once

#include <string>

#include "platform/parallel_port.h"

namespace qvt {

// The parallel port through the kernel's ppdev driver (/dev/parportN). The
// port is claimed once when opened and released when this object goes.
// Addresses are mapped onto the registers relative to the base the device
// stands for; any other address writes nothing and reads 0.
class PpdevPort : public ParallelPort {
  public:
    PpdevPort(std::uint16_t base, std::string device);
    ~PpdevPort() override;
    PpdevPort(const PpdevPort&) = delete;
    PpdevPort& operator=(const PpdevPort&) = delete;

    // Opens and claims the device; false when either fails.
    bool Open();

    void Write(std::uint16_t address, std::uint8_t value) override;
    std::uint8_t Read(std::uint16_t address) override;

  private:
    std::uint16_t base_;
    std::string device_;
    int fd_ = -1;
};

}  // namespace qvt
