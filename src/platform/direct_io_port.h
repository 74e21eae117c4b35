#pragma once

#include "platform/parallel_port.h"

namespace qvt {

// The parallel port through the processor's port instructions, after the
// kernel granted the process the three registers at the base (ioperm).
class DirectIoPort : public ParallelPort {
  public:
    explicit DirectIoPort(std::uint16_t base) : base_(base) {}
    ~DirectIoPort() override;
    DirectIoPort(const DirectIoPort&) = delete;
    DirectIoPort& operator=(const DirectIoPort&) = delete;

    // Asks for the port permissions; false when the process may not have them.
    bool Open();

    void Write(std::uint16_t address, std::uint8_t value) override;
    std::uint8_t Read(std::uint16_t address) override;

  private:
    bool Granted(std::uint16_t address) const {
        return open_ && address >= base_ && address < base_ + 3;
    }

    std::uint16_t base_;
    bool open_ = false;
};

}  // namespace qvt
