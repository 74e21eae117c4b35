#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace qvt {

// The port trace: one line for every access that reached the cable's lines
// and every wait, in the parallel port's terms whatever the cable:
//   W 0378 0C   output state written (data register at the base)
//   R 0379 40   MISO sampled (status register, bit 6), or R 0378 the data
//               register read back
//   D 3000      wait in delay units
// Cables that are not a parallel port write their lines' states through the
// pin map back into these bits, so one reader serves them all.
class PortTrace {
  public:
    PortTrace() = default;
    ~PortTrace();
    PortTrace(const PortTrace&) = delete;
    PortTrace& operator=(const PortTrace&) = delete;

    // Starts appending to the file; false when it cannot be opened.
    bool Open(const std::string& path);
    bool isOpen() const { return file_ != nullptr; }
    void Flush();

    void Written(std::uint16_t address, std::uint8_t value);
    void Read(std::uint16_t address, std::uint8_t value);
    void Waited(long long units);

  private:
    std::FILE* file_ = nullptr;
};

}  // namespace qvt
