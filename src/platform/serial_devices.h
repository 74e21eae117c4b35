#pragma once

#include <string>
#include <vector>

namespace qvt {

// The serial devices present below root ("/" on a running system; a test
// gives a tree of its own): the stable names in /dev/serial/by-id, the USB
// adapters ttyUSB* and ttyACM*, and those ttyS* whose driver reports a real
// UART. The kernel creates a ttyS node for every possible port, most of them
// with no UART behind, so those are opened briefly to ask. Full paths, each
// group in its natural order (ttyS2 before ttyS10).
std::vector<std::string> ListSerialDevices(const std::string& root = "/");

// Empty when the device opens as a serial line; otherwise the message that
// says why it does not, e.g. "/dev/ttyUSB3 lässt sich nicht öffnen: Zugriff
// verweigert". Opens without waiting for a carrier and closes at once.
std::string SerialDeviceProblem(const std::string& path);

// Whether something of that name is there (a link is followed).
bool DevicePresent(const std::string& path);

}  // namespace qvt
