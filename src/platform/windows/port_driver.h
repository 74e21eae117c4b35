#pragma once

// Windows NT family only: port access through the kernel driver "hwinterface".
// Not part of the Linux build.

#include <windows.h>

#include <cstdint>

namespace qvt::windows {

// The opened driver device; INVALID_HANDLE_VALUE while it could not be opened.
extern HANDLE DriverHandle;

// 0 when the device opened at the first attempt, else 1 (after trying to
// start, and if need be register, the driver's service).
int OpenPortDriver();
// 0 started, 1 service manager or service not available, 3 start refused,
// 4 start refused with reduced rights.
int StartPortDriver();
// 5 when the service manager refuses access, else 0.
int InstallPortDriver();
void ClosePortDriver();

// One byte to or from an I/O port through the driver; outcomes are not checked.
void DriverPortWrite(std::uint16_t port, std::uint8_t value);
std::uint8_t DriverPortRead(std::uint16_t port);

}  // namespace qvt::windows
