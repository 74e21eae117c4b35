#pragma once

#include <chrono>
#include <functional>
#include <string>

#include "platform/parallel_port.h"

namespace qvt {

// The two calls of the ppdev driver that can wait on another process:
// opening the device and claiming the port (PPCLAIM sleeps until whoever
// holds the port, a printer driver or another program, lets go of it).
// Tests put stand-ins in their place.
struct PpdevAccess {
    std::function<int(const std::string& device)> open;  // a descriptor, or -1
    std::function<int(int fd)> claim;                    // 0, or -1 with errno
};
PpdevAccess KernelPpdevAccess();

// The parallel port through the kernel's ppdev driver (/dev/parportN). The
// port is claimed once when opened and released when this object goes.
// Addresses are mapped onto the registers relative to the base the device
// stands for; any other address writes nothing and reads 0.
class PpdevPort : public ParallelPort {
  public:
    // How long start-up waits for a port that another process holds.
    static constexpr std::chrono::milliseconds kClaimLimit{500};

    PpdevPort(std::uint16_t base, std::string device, PpdevAccess access = KernelPpdevAccess(),
              std::chrono::milliseconds claimLimit = kClaimLimit);
    ~PpdevPort() override;
    PpdevPort(const PpdevPort&) = delete;
    PpdevPort& operator=(const PpdevPort&) = delete;

    // Opens and claims the device, each within the claim limit; false when
    // either fails or the port stays held by someone else.
    bool Open();

    void Write(std::uint16_t address, std::uint8_t value) override;
    std::uint8_t Read(std::uint16_t address) override;

  private:
    std::uint16_t base_;
    std::string device_;
    PpdevAccess access_;
    std::chrono::milliseconds claimLimit_;
    int fd_ = -1;
};

}  // namespace qvt
