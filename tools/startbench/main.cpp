// qvt-startbench: how long a program takes from its start until its first
// window is mapped on an X server, and how much memory it holds then; the
// application against a bare Qt window, alternately in the same run, so both
// see the same machine. Not a test; run by hand:
//   qvt-startbench [--rounds N] [--settle-ms M] PROGRAM [ARGS...]
// With DISPLAY unset it starts its own Xvfb. The bare window is the
// qvt-barewindow beside it. Each program starts in an empty working folder
// of its own, as on a first start, and is ended with SIGTERM.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Sample {
    double startMs = 0;         // start until the first top-level window is mapped
    double cpuMs = 0;           // of that, time the main thread ran on a CPU
    double residentMb = 0;      // VmRSS after settling
    bool chartsLoaded = false;  // Qt Charts mapped into the process
};

pid_t Spawn(const std::vector<std::string>& command, const std::filesystem::path& folder) {
    const pid_t pid = fork();
    if (pid == 0) {
        std::filesystem::current_path(folder);
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        std::vector<char*> argv;
        for (const std::string& arg : command) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    return pid;
}

// Waits for a top-level window being mapped; false after `limit`.
bool WaitForMap(xcb_connection_t* x, std::chrono::milliseconds limit) {
    const auto end = Clock::now() + limit;
    const int fd = xcb_get_file_descriptor(x);
    while (Clock::now() < end) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(x)) {
            const bool mapped =
                (event->response_type & 0x7f) == XCB_MAP_NOTIFY &&
                !reinterpret_cast<xcb_map_notify_event_t*>(event)->override_redirect;
            std::free(event);
            if (mapped)
                return true;
        }
        fd_set fds;
        FD_ZERO(&fds);
        FD_SET(fd, &fds);
        timeval tick{0, 2000};
        select(fd + 1, &fds, nullptr, nullptr, &tick);
    }
    return false;
}

std::string Read(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

double ResidentMb(pid_t pid) {
    const std::string status = Read("/proc/" + std::to_string(pid) + "/status");
    const auto at = status.find("VmRSS:");
    return at == std::string::npos ? 0 : std::strtod(status.c_str() + at + 6, nullptr) / 1024.0;
}

std::optional<Sample> Measure(xcb_connection_t* x, const std::vector<std::string>& command,
                              std::chrono::milliseconds settle) {
    const auto folder =
        std::filesystem::temp_directory_path() / ("qvt-startbench-" + std::to_string(getpid()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    while (xcb_generic_event_t* stale = xcb_poll_for_event(x)) std::free(stale);
    const auto start = Clock::now();
    const pid_t pid = Spawn(command, folder);
    std::optional<Sample> sample;
    if (WaitForMap(x, std::chrono::seconds(20))) {
        Sample s;
        s.startMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        // Time on a CPU counts only the program's own work, so it hardly
        // changes with what else the machine runs.
        s.cpuMs =
            std::strtod(Read("/proc/" + std::to_string(pid) + "/schedstat").c_str(), nullptr) / 1e6;
        std::this_thread::sleep_for(settle);
        s.residentMb = ResidentMb(pid);
        s.chartsLoaded = Read("/proc/" + std::to_string(pid) + "/maps").find("libQt6Charts") !=
                         std::string::npos;
        sample = s;
    }
    kill(pid, SIGTERM);
    for (int i = 0; i < 200 && waitpid(pid, nullptr, WNOHANG) == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    std::filesystem::remove_all(folder);
    return sample;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

}  // namespace

int main(int argc, char* argv[]) {
    int rounds = 10;
    int settleMs = 1500;
    int first = 1;
    for (; first + 1 < argc && argv[first][0] == '-'; first += 2) {
        if (std::string(argv[first]) == "--rounds")
            rounds = std::atoi(argv[first + 1]);
        else if (std::string(argv[first]) == "--settle-ms")
            settleMs = std::atoi(argv[first + 1]);
    }
    if (first >= argc) {
        std::fprintf(stderr,
                     "usage: qvt-startbench [--rounds N] [--settle-ms M] PROGRAM [ARGS...]\n");
        return 1;
    }
    const std::filesystem::path self = std::filesystem::canonical("/proc/self/exe");
    const std::vector<std::string> bare = {(self.parent_path() / "qvt-barewindow").string()};
    std::vector<std::string> program = {std::filesystem::absolute(argv[first]).string()};
    for (int i = first + 1; i < argc; ++i) program.push_back(argv[i]);

    pid_t server = 0;
    if (!std::getenv("DISPLAY")) {
        const std::string display = ":" + std::to_string(70 + getpid() % 20);
        server = Spawn({"/usr/bin/Xvfb", display, "-screen", "0", "1280x1024x24"}, "/");
        setenv("DISPLAY", display.c_str(), 1);
        std::this_thread::sleep_for(std::chrono::seconds(1));
    }
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x)) {
        std::fprintf(stderr, "qvt-startbench: no X server\n");
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(x);

    std::vector<Sample> samples[2];
    const std::vector<std::string>* commands[2] = {&bare, &program};
    Measure(x, bare, std::chrono::milliseconds(0));  // both from a warm disk cache
    Measure(x, program, std::chrono::milliseconds(0));
    for (int round = 0; round < rounds; ++round) {
        for (int which = 0; which < 2; ++which) {
            if (const auto s = Measure(x, *commands[which], std::chrono::milliseconds(settleMs)))
                samples[which].push_back(*s);
            else
                std::fprintf(stderr, "qvt-startbench: no window from %s\n",
                             commands[which]->front().c_str());
        }
    }
    xcb_disconnect(x);
    if (server) {
        kill(server, SIGTERM);
        waitpid(server, nullptr, 0);
    }

    const char* names[2] = {"bare Qt window", program.front().c_str()};
    double medians[2] = {0, 0};
    double cpuMedians[2] = {0, 0};
    for (int which = 0; which < 2; ++which) {
        std::vector<double> ms, cpu, mb;
        bool charts = false;
        for (const Sample& s : samples[which]) {
            ms.push_back(s.startMs);
            cpu.push_back(s.cpuMs);
            mb.push_back(s.residentMb);
            charts = charts || s.chartsLoaded;
        }
        if (ms.empty())
            return 2;
        medians[which] = Median(ms);
        cpuMedians[which] = Median(cpu);
        std::printf(
            "%s: start to window %.1f ms median (%.1f-%.1f), main thread on a CPU %.1f ms "
            "median, resident %.1f MB median (%.1f-%.1f), Qt Charts %s, %zu rounds\n",
            names[which], medians[which], *std::min_element(ms.begin(), ms.end()),
            *std::max_element(ms.begin(), ms.end()), cpuMedians[which], Median(mb),
            *std::min_element(mb.begin(), mb.end()), *std::max_element(mb.begin(), mb.end()),
            charts ? "loaded" : "not loaded", ms.size());
    }
    std::printf("ratio of the medians: %.2f start to window, %.2f CPU\n", medians[1] / medians[0],
                cpuMedians[1] / cpuMedians[0]);
    return 0;
}
