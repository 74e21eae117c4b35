#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qvt {

// The lines of one GPIO chip that a programming cable holds: some outputs,
// claimed together and set together, and one input. Levels are those on the
// pins (an inverting cable is the caller's business).
class GpioLines {
  public:
    virtual ~GpioLines() = default;

    // Claims the outputs (line offsets) and the input in one go. Each output is
    // driven at its initial level (bit i of initialLevels for outputs[i]) from
    // the moment it is claimed, so no line passes through a level it should
    // not have. false, with lastError() saying why, when any line is refused.
    virtual bool Request(const std::vector<int>& outputs, std::uint32_t initialLevels, int input,
                         const std::string& consumer) = 0;
    // Drives all outputs at once (bit i for outputs[i]) in one call to the
    // kernel. false, with lastError(), when the lines are gone.
    virtual bool SetOutputs(std::uint32_t levels) = 0;
    // The input's level; nothing, with lastError(), when the line is gone.
    virtual std::optional<bool> ReadInput() = 0;
    // Lets go of every line; they float from then on. The kernel frees the
    // lines of one request together, so a caller that needs an order drives
    // its final levels before.
    virtual void Release() = 0;

    // The last failure, in German for the user; empty when none.
    virtual const std::string& lastError() const = 0;
};

// A GPIO chip opened for a cable, or why it could not be.
struct GpioChipOpening {
    std::unique_ptr<GpioLines> lines;
    std::string name;  // "gpiochip0"
    int lineCount = 0;
    std::string problem;  // empty when lines is there
};

// The USB device a GPIO chip sits on, as the kernel's device tree below
// sysfsRoot ("/sys" on a running system; a test gives a tree of its own)
// shows it: "1-1.3" when the chip's device path passes a USB device, nothing
// for a chip on the board itself or when sysfs cannot tell.
std::optional<std::string> GpioChipUsbDevice(const std::string& chipName,
                                             const std::string& sysfsRoot = "/sys");

// Why a GPIO chip on a USB bridge is refused, for the user.
std::string GpioUsbBridgeProblem(const std::string& chipName, const std::string& usbDevice);

}  // namespace qvt
