#pragma once

#include <string>

namespace qvt {

// The line for standard error when a device was refused for lack of
// permission (error EACCES or EPERM): names the device and the group whose
// members may use it, as the file system says (normally dialout for serial
// lines, lp for parallel ports), falling back to usualGroup when the device
// cannot be asked. Empty for any other error.
std::string AccessRefusedLine(const std::string& device, int error, const std::string& usualGroup);

// Writes that line, once per device in a run; the user interface is not told.
void ReportAccessRefused(const std::string& device, int error, const std::string& usualGroup);

// The errno of asking for read and write access to the device; 0 when allowed.
int ReadWriteAccessError(const std::string& device);

}  // namespace qvt
