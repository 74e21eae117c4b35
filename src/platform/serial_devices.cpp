#include "platform/serial_devices.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <signal.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <set>

#include "platform/error_reason.h"

namespace qvt {
namespace {

namespace fs = std::filesystem;

// Names of one folder that start with prefix, shortest first, so that the
// numbered nodes come in their natural order.
std::vector<std::string> Entries(const fs::path& folder, const std::string& prefix) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.starts_with(prefix))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return a.size() != b.size() ? a.size() < b.size() : a < b;
    });
    for (std::string& name : names) name = (folder / name).string();
    return names;
}

// Opens for a moment; -1 with errno set when the device does not open.
int OpenBriefly(const std::string& path) {
    return ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
}

// A ttyS node answers when its driver knows the UART behind it. One held by
// another program (or by us) is there all the same.
bool UartAnswers(const std::string& path) {
    const int fd = OpenBriefly(path);
    if (fd < 0)
        return errno == EBUSY;
    serial_struct info{};
    termios line{};
    const bool answers = ::ioctl(fd, TIOCGSERIAL, &info) == 0 ? info.type != PORT_UNKNOWN
                                                              : ::tcgetattr(fd, &line) == 0;
    ::close(fd);
    return answers;
}

// The names a lock file of the device may carry.
std::set<std::string> LockNames(const std::string& path) {
    std::set<std::string> names;
    std::error_code error;
    const fs::path canonical = fs::canonical(path, error);
    for (const std::string& name : {path, error ? path : canonical.string()}) {
        std::string below = name.starts_with("/dev/") ? name.substr(5) : name;
        std::replace(below.begin(), below.end(), '/', '_');
        names.insert("LCK.." + below);
        names.insert("LCK.." + fs::path(name).filename().string());
    }
    return names;
}

// A lock file begins with the holder's process number, in text; Qt adds the
// program and host on lines of their own.
bool HeldByRunningProcess(const fs::path& lockFile) {
    std::ifstream in(lockFile);
    long pid = 0;
    if (!(in >> pid) || pid <= 0 || pid == ::getpid())
        return false;
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

}  // namespace

std::vector<std::string> SerialLockFolders() {
    return {"/var/lock", "/etc/locks", "/var/spool/locks",  "/var/spool/uucp",
            "/tmp",      "/var/tmp",   "/var/lock/lockdev", "/run/lock"};
}

bool SerialDeviceBusy(const std::string& path, const std::vector<std::string>& lockFolders) {
    const int fd = OpenBriefly(path);
    if (fd < 0)
        return errno == EBUSY;
    ::close(fd);
    for (const std::string& folder : lockFolders) {
        for (const std::string& name : LockNames(path)) {
            if (HeldByRunningProcess(fs::path(folder) / name))
                return true;
        }
    }
    return false;
}

std::vector<std::string> ListSerialDevices(const std::string& root) {
    const fs::path dev = fs::path(root) / "dev";
    std::vector<std::string> devices = Entries(dev / "serial" / "by-id", "");
    for (const char* prefix : {"ttyUSB", "ttyACM"}) {
        const std::vector<std::string> found = Entries(dev, prefix);
        devices.insert(devices.end(), found.begin(), found.end());
    }
    for (const std::string& path : Entries(dev, "ttyS")) {
        if (UartAnswers(path))
            devices.push_back(path);
    }
    return devices;
}

std::string SerialDeviceProblem(const std::string& path) {
    const int fd = OpenBriefly(path);
    int error = fd < 0 ? errno : 0;
    if (fd >= 0) {
        termios line{};
        if (::tcgetattr(fd, &line) != 0)
            error = errno;
        ::close(fd);
    }
    if (error == 0)
        return {};
    return path + " lässt sich nicht öffnen: " + ErrorReason(error);
}

bool DevicePresent(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

}  // namespace qvt
