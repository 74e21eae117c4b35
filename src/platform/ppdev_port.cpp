#include "platform/ppdev_port.h"

#include <fcntl.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <utility>

namespace qvt {

PpdevPort::PpdevPort(std::uint16_t base, std::string device)
    : base_(base), device_(std::move(device)) {}

PpdevPort::~PpdevPort() {
    if (fd_ < 0)
        return;
    ioctl(fd_, PPRELEASE);
    close(fd_);
}

bool PpdevPort::Open() {
    fd_ = open(device_.c_str(), O_RDWR | O_CLOEXEC);
    if (fd_ < 0)
        return false;
    if (ioctl(fd_, PPCLAIM) != 0) {
        close(fd_);
        fd_ = -1;
        return false;
    }
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
