#pragma once

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <string>
#include <vector>

// A pseudo terminal the test holds by both ends: the device side (master)
// is written and read by the test, the PC side is what the port opens.
class PtyPair {
  public:
    PtyPair() {
        char name[256] = {};
        if (::openpty(&device_, &pc_, name, nullptr, nullptr) == 0) {
            path_ = name;
            ::fcntl(device_, F_SETFL, ::fcntl(device_, F_GETFL) | O_NONBLOCK);
            termios t{};
            ::tcgetattr(device_, &t);
            ::cfmakeraw(&t);
            ::tcsetattr(device_, TCSANOW, &t);
        }
    }
    ~PtyPair() {
        CloseDevice();
        if (pc_ >= 0)
            ::close(pc_);
    }
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool ok() const { return !path_.empty(); }
    const std::string& path() const { return path_; }
    // Our own descriptor of the PC side, to look at its settings.
    int pcSide() const { return pc_; }

    void Send(const std::string& bytes) const {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(device_, bytes.data() + done, bytes.size() - done);
            if (n > 0)
                done += static_cast<std::size_t>(n);
        }
    }

    // What the PC has sent so far.
    std::string Received() const {
        std::string bytes;
        char buffer[256];
        for (ssize_t n; (n = ::read(device_, buffer, sizeof buffer)) > 0;) bytes.append(buffer, n);
        return bytes;
    }

    // What the PC sends until the line has been quiet for the given time.
    std::string ReceivedUntilQuiet(int quietMilliseconds) const {
        std::string bytes;
        pollfd p{device_, POLLIN, 0};
        while (::poll(&p, 1, quietMilliseconds) > 0 && (p.revents & POLLIN)) {
            const std::string more = Received();
            if (more.empty())
                break;
            bytes += more;
        }
        return bytes;
    }

    // The device goes away: the PC side hangs up. Our own descriptor of the
    // PC side goes with it, as the device's would.
    void CloseDevice() {
        if (device_ >= 0)
            ::close(device_);
        device_ = -1;
        if (pc_ >= 0)
            ::close(pc_);
        pc_ = -1;
    }

  private:
    int device_ = -1;
    int pc_ = -1;
    std::string path_;
};
