#include "platform/gpio_lines.h"

#include <cctype>
#include <filesystem>
#include <system_error>

namespace qvt {
namespace {

bool AllDigits(const std::string& text) {
    if (text.empty())
        return false;
    for (unsigned char c : text)
        if (!std::isdigit(c))
            return false;
    return true;
}

// A USB root hub in the device path: "usb1".
bool IsUsbBus(const std::string& part) {
    return part.size() > 3 && part.compare(0, 3, "usb") == 0 && AllDigits(part.substr(3));
}

// A USB device below a bus: "1-4", "1-1.3" (bus, then the ports through hubs).
// Its interfaces ("1-1.3:1.0") carry a colon.
bool IsUsbDevice(const std::string& part) {
    const auto dash = part.find('-');
    if (dash == std::string::npos || !AllDigits(part.substr(0, dash)))
        return false;
    std::string ports = part.substr(dash + 1);
    std::size_t start = 0;
    while (true) {
        const auto dot = ports.find('.', start);
        if (!AllDigits(ports.substr(start, dot == std::string::npos ? dot : dot - start)))
            return false;
        if (dot == std::string::npos)
            return true;
        start = dot + 1;
    }
}

}  // namespace

std::optional<std::string> GpioChipUsbDevice(const std::string& chipName,
                                             const std::string& sysfsRoot) {
    // Every GPIO chip is a device on the gpio bus; its link there leads to
    // where the chip hangs in the device tree.
    std::error_code error;
    const std::filesystem::path device = std::filesystem::canonical(
        std::filesystem::path(sysfsRoot) / "bus" / "gpio" / "devices" / chipName, error);
    if (error)
        return std::nullopt;
    std::optional<std::string> usbDevice;
    bool belowBus = false;
    for (const auto& part : device) {
        const std::string text = part.string();
        if (IsUsbBus(text)) {
            belowBus = true;
            usbDevice = text;
        } else if (belowBus && IsUsbDevice(text)) {
            usbDevice = text;  // the deepest one: the bridge itself, not its hub
        }
    }
    return usbDevice;
}

std::string GpioUsbBridgeProblem(const std::string& chipName, const std::string& usbDevice) {
    return chipName + " sitzt an USB (Gerät " + usbDevice +
           "): jede Pegeländerung wäre eine USB-Übertragung, viel zu langsam und zu ungleichmäßig "
           "getaktet für die Programmierung. Bitte die GPIO-Leitungen der Platine selbst oder "
           "einen FTDI-Adapter nehmen.";
}

}  // namespace qvt
