#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QSerialPort>
#include <cerrno>
#include <string>

// Another program that holds a serial device, as a terminal program does: a
// process of its own opens it through Qt (exclusive use and a lock file in
// /var/lock) and keeps it until released. Released() lets go as a program
// that ends does; Killed() leaves its lock file behind, as a crash does.
class PortHeldElsewhere {
  public:
    explicit PortHeldElsewhere(const std::string& device) {
        int ready[2];
        int release[2];
        if (::pipe(ready) != 0 || ::pipe(release) != 0)
            return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(ready[0]);
            ::close(release[1]);
            QSerialPort port(QString::fromStdString(device));
            const char opened = port.open(QIODevice::ReadWrite) ? 1 : 0;
            (void)!::write(ready[1], &opened, 1);
            char c = 0;
            while (::read(release[0], &c, 1) < 0 && errno == EINTR) {
            }
            port.close();
            ::_exit(0);
        }
        ::close(ready[1]);
        ::close(release[0]);
        release_ = release[1];
        char opened = 0;
        held_ = pid_ > 0 && ::read(ready[0], &opened, 1) == 1 && opened == 1;
        ::close(ready[0]);
    }
    ~PortHeldElsewhere() { Released(); }
    PortHeldElsewhere(const PortHeldElsewhere&) = delete;
    PortHeldElsewhere& operator=(const PortHeldElsewhere&) = delete;

    bool held() const { return held_; }

    void Released() {
        if (release_ >= 0)
            ::close(release_);
        release_ = -1;
        Wait();
    }
    void Killed() {
        if (pid_ > 0)
            ::kill(pid_, SIGKILL);
        Wait();
        if (release_ >= 0)
            ::close(release_);
        release_ = -1;
    }

  private:
    void Wait() {
        if (pid_ > 0)
            ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

    pid_t pid_ = -1;
    int release_ = -1;
    bool held_ = false;
};
