#include "platform/ppdev_port.h"

#include <fcntl.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "platform/access_refused.h"
#include "platform/time_limited_call.h"

namespace qvt {

PpdevAccess KernelPpdevAccess() {
    return {[](const std::string& device) {
                const int fd = open(device.c_str(), O_RDWR | O_CLOEXEC);
                if (fd < 0)
                    ReportAccessRefused(device, errno, "lp");
                return fd;
            },
            [](int fd) { return ioctl(fd, PPCLAIM); }};
}

PpdevPort::PpdevPort(std::uint16_t base, std::string device, PpdevAccess access,
                     std::chrono::milliseconds claimLimit)
    : base_(base),
      device_(std::move(device)),
      access_(std::move(access)),
      claimLimit_(claimLimit) {}

PpdevPort::~PpdevPort() {
    if (fd_ < 0)
        return;
    ioctl(fd_, PPRELEASE);
    close(fd_);
}

bool PpdevPort::Open() {
    const int fd = CallWithTimeLimit(claimLimit_, [this] { return access_.open(device_); });
    if (fd < 0)
        return false;
    if (CallWithTimeLimit(claimLimit_, [this, fd] { return access_.claim(fd); }) != 0) {
        close(fd);
        return false;
    }
    fd_ = fd;
    return true;
}

void PpdevPort::Write(std::uint16_t address, std::uint8_t value) {
    if (fd_ < 0)
        return;
    unsigned char byte = value;
    if (address == base_) {
        ioctl(fd_, PPWDATA, &byte);
    } else if (address == base_ + 2) {
        ioctl(fd_, PPWCONTROL, &byte);
    }
}

std::uint8_t PpdevPort::Read(std::uint16_t address) {
    if (fd_ < 0)
        return 0;
    unsigned char byte = 0;
    int request = -1;
    if (address == base_)
        request = PPRDATA;
    if (address == base_ + 1)
        request = PPRSTATUS;
    if (address == base_ + 2)
        request = PPRCONTROL;
    if (request < 0 || ioctl(fd_, request, &byte) != 0)
        return 0;
    return byte;
}

}  // namespace qvt
