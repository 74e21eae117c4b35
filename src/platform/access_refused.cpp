#include "platform/access_refused.h"

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <mutex>
#include <set>
#include <vector>

namespace qvt {
namespace {

bool InGroup(gid_t gid) {
    if (::getegid() == gid)
        return true;
    const int count = ::getgroups(0, nullptr);
    if (count <= 0)
        return false;
    std::vector<gid_t> groups(static_cast<std::size_t>(count));
    const int got = ::getgroups(count, groups.data());
    return got > 0 && std::find(groups.begin(), groups.begin() + got, gid) != groups.begin() + got;
}

// "crw-rw----", as ls shows it.
std::string ModeText(mode_t mode) {
    char type = '-';
    if (S_ISCHR(mode))
        type = 'c';
    else if (S_ISBLK(mode))
        type = 'b';
    else if (S_ISDIR(mode))
        type = 'd';
    else if (S_ISFIFO(mode))
        type = 'p';
    else if (S_ISSOCK(mode))
        type = 's';
    std::string text(1, type);
    const char letters[] = "rwx";
    for (int bit = 8; bit >= 0; --bit) text += (mode >> bit) & 1 ? letters[(8 - bit) % 3] : '-';
    return text;
}

std::string JoinGroupLine(const std::string& device, const std::string& group) {
    return "qvt410: Kein Zugriff auf " + device + ": nur für Mitglieder der Gruppe " + group +
           " (sudo usermod -aG " + group + " \"$USER\", dann neu anmelden)";
}

}  // namespace

std::optional<DevicePermissions> PermissionsOf(const std::string& device) {
    struct stat info = {};
    if (::stat(device.c_str(), &info) != 0)
        return std::nullopt;
    DevicePermissions permissions;
    const passwd* user = ::getpwuid(info.st_uid);
    permissions.owner = user ? user->pw_name : std::to_string(info.st_uid);
    const group* owner = ::getgrgid(info.st_gid);
    permissions.group = owner ? owner->gr_name : std::to_string(info.st_gid);
    permissions.mode = info.st_mode;
    permissions.rootGroup = info.st_gid == 0;
    permissions.memberOfGroup = InGroup(info.st_gid);
    return permissions;
}

std::string AccessRefusedLine(const std::string& device, int error, const std::string& usualGroup,
                              const std::optional<DevicePermissions>& permissions) {
    if (error != EACCES && error != EPERM)
        return {};
    if (!permissions)
        return JoinGroupLine(device, usualGroup);
    const DevicePermissions& p = *permissions;
    const bool groupReadsAndWrites = (p.mode & S_IRGRP) && (p.mode & S_IWGRP);
    // Joining root's group would hand out far more than one port.
    if (groupReadsAndWrites && !p.rootGroup && !p.memberOfGroup)
        return JoinGroupLine(device, p.group);
    return "qvt410: Kein Zugriff auf " + device + ": Besitzer " + p.owner + ", Gruppe " + p.group +
           ", Rechte " + ModeText(p.mode) + " (den Systemverwalter bitten, das Gerät der Gruppe " +
           usualGroup + " mit Lese- und Schreibrecht zu geben, z. B. per udev-Regel GROUP=\"" +
           usualGroup + "\", MODE=\"0660\")";
}

std::string AccessRefusedLine(const std::string& device, int error, const std::string& usualGroup) {
    return AccessRefusedLine(device, error, usualGroup, PermissionsOf(device));
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
