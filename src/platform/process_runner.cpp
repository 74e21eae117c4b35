#include "platform/process_runner.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>

extern char** environ;

namespace qvt {
namespace {

// What the child starts with: a clear signal mask and SIGPIPE at its
// default, whatever this process set up for itself.
class SpawnSetup {
  public:
    explicit SpawnSetup(const std::string& folder) {
        posix_spawn_file_actions_init(&actions_);
        posix_spawn_file_actions_addchdir_np(&actions_, folder.c_str());
        posix_spawnattr_init(&attributes_);
        sigset_t none;
        sigemptyset(&none);
        posix_spawnattr_setsigmask(&attributes_, &none);
        sigset_t defaults;
        sigemptyset(&defaults);
        sigaddset(&defaults, SIGPIPE);
        posix_spawnattr_setsigdefault(&attributes_, &defaults);
        posix_spawnattr_setflags(&attributes_, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    }
    ~SpawnSetup() {
        posix_spawnattr_destroy(&attributes_);
        posix_spawn_file_actions_destroy(&actions_);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;

    const posix_spawn_file_actions_t* Actions() const { return &actions_; }
    const posix_spawnattr_t* Attributes() const { return &attributes_; }

  private:
    posix_spawn_file_actions_t actions_;
    posix_spawnattr_t attributes_;
};

}  // namespace

ProgramExit RunProgramAndWait(const std::string& folder, const std::string& program,
                              const std::vector<std::string>& arguments) {
    std::vector<std::string> words{program};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);

    const std::string path = folder + "/" + program;
    const SpawnSetup setup(folder);
    pid_t child = 0;
    if (posix_spawn(&child, path.c_str(), setup.Actions(), setup.Attributes(), argv.data(),
                    environ) != 0) {
        return {};
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR)
            return {};
    }
    if (WIFEXITED(status))
        return {ProgramExit::How::kExited, WEXITSTATUS(status), 0};
    if (WIFSIGNALED(status))
        return {ProgramExit::How::kSignalled, -1, WTERMSIG(status)};
    return {};
}

std::string SignalName(int signal) {
    const char* abbreviation = sigabbrev_np(signal);
    const std::string name = abbreviation ? std::string("SIG") + abbreviation : "Signal";
    return name + " (" + std::to_string(signal) + ")";
}

}  // namespace qvt
