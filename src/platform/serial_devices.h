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

// The folders where serial programs leave their lock files (LCK..ttyUSB0),
// in the order Qt looks for them.
std::vector<std::string> SerialLockFolders();

// Whether another program holds the device: the device refuses a second
// opener (the exclusive mode serial programs set), or a lock file in one of
// lockFolders names a running process other than this one. Qt, minicom and
// the lockdev library leave such files; the name is the device's below /dev
// with '/' as '_' (Qt) or its last part (the others). A lock file left by a
// program that has ended holds nothing.
bool SerialDeviceBusy(const std::string& path,
                      const std::vector<std::string>& lockFolders = SerialLockFolders());

}  // namespace qvt
