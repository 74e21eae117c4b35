#include "platform/access_refused.h"

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <mutex>
#include <set>

namespace qvt {
namespace {
std::string DeviceGroup(const std::string& device, const std::string& usualGroup) {
    struct stat info = {};
    if (::stat(device.c_str(), &info) != 0)
        return usualGroup;
    const group* owner = ::getgrgid(info.st_gid);
    return owner ? owner->gr_name : std::to_string(info.st_gid);
}
}  // namespace

std::string AccessRefusedLine(const std::string& device, int error, const std::string& usualGroup) {
    if (error != EACCES && error != EPERM)
        return {};
    const std::string group = DeviceGroup(device, usualGroup);
    return "qvt410: Kein Zugriff auf " + device + ": nur für Mitglieder der Gruppe " + group +
           " (sudo usermod -aG " + group + " \"$USER\", dann neu anmelden)";
}

void ReportAccessRefused(const std::string& device, int error, const std::string& usualGroup) {
    const std::string line = AccessRefusedLine(device, error, usualGroup);
    if (line.empty())
        return;
    // A port that is tried again must not fill the terminal.
    static std::mutex mutex;
    static std::set<std::string> reported;
    const std::lock_guard lock(mutex);
    if (reported.insert(device).second)
        std::fprintf(stderr, "%s\n", line.c_str());
}

int ReadWriteAccessError(const std::string& device) {
    return ::access(device.c_str(), R_OK | W_OK) == 0 ? 0 : errno;
}

}  // namespace qvt
