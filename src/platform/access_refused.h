#pragma once

#include <sys/types.h>
#include <optional>
#include <string>

namespace qvt {

// What the file system says about who may use a device.
struct DevicePermissions {
    std::string owner;           // user name, or the number when it has none
    std::string group;           // group name, or the number
    mode_t mode = 0;             // type and permission bits, as stat gives them
    bool rootGroup = false;      // the group is number 0
    bool memberOfGroup = false;  // this process has the group among its groups
};

// The device's permissions; none when it cannot be asked.
std::optional<DevicePermissions> PermissionsOf(const std::string& device);

// The line for standard error when a device was refused for lack of
// permission (error EACCES or EPERM). Where joining the device's group grants
// access (the group may read and write, it is not root's, and this process is
// not in it yet), it names the group and how to join it; where it cannot (the
// mode leaves the group out, the group is root, or this process is in it
// already) it names owner, group and mode and what to ask the administrator
// for instead. When the device cannot be asked, usualGroup (normally dialout
// for serial lines, lp for parallel ports) is named. Empty for any other error.
std::string AccessRefusedLine(const std::string& device, int error, const std::string& usualGroup,
                              const std::optional<DevicePermissions>& permissions);
std::string AccessRefusedLine(const std::string& device, int error, const std::string& usualGroup);

// Writes that line, once per device in a run; the user interface is not told.
void ReportAccessRefused(const std::string& device, int error, const std::string& usualGroup);

// The errno of asking for read and write access to the device; 0 when allowed.
int ReadWriteAccessError(const std::string& device);

}  // namespace qvt
