#include "platform/time_limited_call.h"

#include <pthread.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <ctime>

#ifndef sigev_notify_thread_id
#define sigev_notify_thread_id _sigev_un._tid
#endif

namespace qvt {
namespace {

// After the limit the timer repeats at this period until the call has ended.
constexpr long kRepeatNanoseconds = 5'000'000;

int LimitSignal() {
    return SIGRTMIN + 1;
}

void Interrupt(int) {}

timespec ToTimespec(std::chrono::nanoseconds duration) {
    timespec ts{};
    ts.tv_sec = static_cast<time_t>(duration.count() / 1'000'000'000);
    ts.tv_nsec = static_cast<long>(duration.count() % 1'000'000'000);
    if (ts.tv_sec == 0 && ts.tv_nsec == 0)
        ts.tv_nsec = 1;  // zero would disarm the timer
    return ts;
}

// The signal handler and the per-thread timer for one call, undone in the
// reverse order: block, delete the timer, swallow what is still pending,
// then give back the previous handler and mask.
class ThreadAlarm {
  public:
    explicit ThreadAlarm(std::chrono::milliseconds limit) : signal_(LimitSignal()) {
        struct sigaction action {};
        action.sa_handler = Interrupt;
        sigemptyset(&action.sa_mask);
        action.sa_flags = 0;  // no SA_RESTART: the sleeping call must return
        if (sigaction(signal_, &action, &previousAction_) != 0)
            return;
        handlerInstalled_ = true;

        sigset_t set;
        sigemptyset(&set);
        sigaddset(&set, signal_);
        pthread_sigmask(SIG_UNBLOCK, &set, &previousMask_);

        sigevent event{};
        event.sigev_notify = SIGEV_THREAD_ID;
        event.sigev_signo = signal_;
        event.sigev_notify_thread_id = gettid();
        if (timer_create(CLOCK_MONOTONIC, &event, &timer_) != 0)
            return;
        timerCreated_ = true;
        itimerspec when{};
        when.it_value = ToTimespec(limit);
        when.it_interval = ToTimespec(std::chrono::nanoseconds(kRepeatNanoseconds));
        armed_ = timer_settime(timer_, 0, &when, nullptr) == 0;
    }

    ~ThreadAlarm() {
        if (!handlerInstalled_)
            return;
        const int callErrno = errno;  // the caller's result, not ours
        sigset_t set;
        sigemptyset(&set);
        sigaddset(&set, signal_);
        pthread_sigmask(SIG_BLOCK, &set, nullptr);
        if (timerCreated_)
            timer_delete(timer_);
        const timespec now{};
        while (sigtimedwait(&set, nullptr, &now) > 0) {
        }
        sigaction(signal_, &previousAction_, nullptr);
        pthread_sigmask(SIG_SETMASK, &previousMask_, nullptr);
        errno = callErrno;
    }

    ThreadAlarm(const ThreadAlarm&) = delete;
    ThreadAlarm& operator=(const ThreadAlarm&) = delete;

    bool Armed() const { return armed_; }

  private:
    int signal_;
    struct sigaction previousAction_ {};
    sigset_t previousMask_{};
    timer_t timer_{};
    bool handlerInstalled_ = false;
    bool timerCreated_ = false;
    bool armed_ = false;
};

}  // namespace

int CallWithTimeLimit(std::chrono::milliseconds limit, const std::function<int()>& call) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    ThreadAlarm alarm(limit);
    if (!alarm.Armed()) {
        errno = ENOTSUP;
        return -1;
    }
    for (;;) {
        const int result = call();
        if (result != -1 || errno != EINTR)
            return result;
        if (std::chrono::steady_clock::now() >= deadline) {
            errno = ETIMEDOUT;
            return -1;
        }
    }
}

}  // namespace qvt
