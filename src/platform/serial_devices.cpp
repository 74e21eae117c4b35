#include "platform/serial_devices.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

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

}  // namespace

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
