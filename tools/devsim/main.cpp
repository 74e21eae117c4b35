// qvt410-devsim: a QVT device for the PC program to talk to, on a pseudo terminal.
#include <fcntl.h>
#include <pty.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "devsim/device_simulator.h"
#include "devsim/sim_options.h"

namespace {

volatile std::sig_atomic_t gStop = 0;

void OnSignal(int) {
    gStop = 1;
}

void MakeRaw(int fd) {
    termios t{};
    if (::tcgetattr(fd, &t) != 0)
        return;
    ::cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    ::tcsetattr(fd, TCSANOW, &t);
}

// Replaces a symbolic link (never anything else) with one to the target.
bool PlaceLink(const std::string& link, const std::string& target) {
    struct stat st {};
    if (::lstat(link.c_str(), &st) == 0) {
        if (!S_ISLNK(st.st_mode))
            return false;
        ::unlink(link.c_str());
    }
    return ::symlink(target.c_str(), link.c_str()) == 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    std::string error;
    const std::optional<devsim::Options> options =
        devsim::ParseOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        if (error == "help") {
            std::fputs(devsim::kUsage, stdout);
            return 0;
        }
        std::fprintf(stderr, "qvt410-devsim: %s\n%s", error.c_str(), devsim::kUsage);
        return 2;
    }

    int fd = -1;
    int peer = -1;  // our own hold on the pseudo terminal's PC side
    std::string path;
    if (!options->tty.empty()) {
        fd = ::open(options->tty.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            std::perror(("qvt410-devsim: " + options->tty).c_str());
            return 1;
        }
        path = options->tty;
    } else {
        char name[256] = {};
        if (::openpty(&fd, &peer, name, nullptr, nullptr) != 0) {
            std::perror("qvt410-devsim: openpty");
            return 1;
        }
        // Raw from the start, so nothing sent before the PC opens the port is
        // echoed or held back as an unfinished line.
        MakeRaw(peer);
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
        path = name;
    }
    MakeRaw(fd);

    if (!options->link.empty() && !PlaceLink(options->link, path)) {
        std::fprintf(stderr, "qvt410-devsim: cannot place the link %s\n", options->link.c_str());
        return 1;
    }

    std::signal(SIGTERM, OnSignal);
    std::signal(SIGINT, OnSignal);
    std::signal(SIGPIPE, SIG_IGN);

    // The first line is the path to connect to, alone.
    std::printf("%s\n", path.c_str());
    std::fflush(stdout);

    const int result = devsim::RunDevice(fd, *options, gStop);

    if (!options->link.empty())
        ::unlink(options->link.c_str());
    if (peer >= 0)
        ::close(peer);
    ::close(fd);
    return result;
}
