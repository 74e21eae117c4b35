#include "platform/ftdi_adapter.h"

#include <cerrno>
#include <cstdio>

#include "platform/access_refused.h"

namespace qvt {
namespace {

std::string Named(const std::string& device) {
    return device.empty() ? std::string("FTDI-Adapter") : "FTDI-Adapter " + device;
}

}  // namespace

std::string FtdiNotFoundText(const std::string& device) {
    if (device.empty())
        return "Kein FTDI-Adapter gefunden (ist er eingesteckt?)";
    return Named(device) + " nicht gefunden (ist er eingesteckt?)";
}

std::string FtdiBusyText(const std::string& device) {
    return Named(device) + " ist belegt: ein anderes Programm benutzt ihn";
}

std::string FtdiAccessRefusedText(const std::string& device, const std::string& node) {
    std::string text = AccessRefusedLine(node, EACCES, kFtdiUsualGroup);
    const std::string prefix = "qvt410: ";
    if (text.compare(0, prefix.size(), prefix) == 0)
        text.erase(0, prefix.size());
    return Named(device) + ": " + text + "; die udev-Regel " + kFtdiUdevRule +
           " gibt den Adapter dem angemeldeten Benutzer und der Gruppe " + kFtdiUsualGroup +
           " (nach ihrer Installation den Adapter neu einstecken)";
}

std::string FtdiBusPath(int bus, int address) {
    char text[32];
    std::snprintf(text, sizeof text, "usb:%03d:%03d", bus, address);
    return text;
}

}  // namespace qvt
