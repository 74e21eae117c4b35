#pragma once

#include <string>
#include <vector>

#include "core/cable_choice.h"
#include "platform/gpio_lines.h"

namespace qvt {

// The GPIO character devices through libgpiod. Only this wrapper knows the
// library, whose interface changed from version 1 to 2.

// Opens a GPIO chip for a cable: "gpiochip0", "/dev/gpiochip0", its number or
// its label. Refuses a chip that sits on a USB bridge (see
// GpioChipUsbDevice). The problem names a chip not found, an access refused
// (and the group that grants it) or any other reason.
GpioChipOpening OpenGpioChip(const std::string& device, const std::string& sysfsRoot = "/sys");

// The GPIO chips below devRoot ("/dev"), each with its label and line count,
// and the reason when one cannot be used (access refused, on USB).
std::vector<FoundCable> ListGpioChips(const std::string& devRoot = "/dev",
                                      const std::string& sysfsRoot = "/sys");

}  // namespace qvt
