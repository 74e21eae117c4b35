#include "devsim/device_simulator.h"

#include <poll.h>
#include <sys/select.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <optional>

#include "devsim/device_telegrams.h"
#include "devsim/pc_frame_reader.h"

namespace devsim {
namespace {

using Clock = std::chrono::steady_clock;

std::tm LocalNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

bool WriteAll(int fd, const std::vector<std::uint8_t>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
        } else if (n < 0 && errno == EAGAIN) {
            pollfd p{fd, POLLOUT, 0};
            ::poll(&p, 1, 100);
        } else if (!(n < 0 && errno == EINTR)) {
            return false;
        }
    }
    return true;
}

// Waits up to the given time for something to read; true when there is.
bool WaitForInput(int fd, Clock::duration left) {
    const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(left).count();
    timeval timeout{static_cast<time_t>(micros / 1'000'000),
                    static_cast<suseconds_t>(micros % 1'000'000)};
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(fd, &readable);
    return ::select(fd + 1, &readable, nullptr, nullptr, &timeout) > 0;
}

}  // namespace

int RunDevice(int fd, const Options& options, const volatile std::sig_atomic_t& stop) {
    // One character of 8 data bits with start and stop bit.
    const Clock::duration byteTime = options.baud > 0
                                         ? std::chrono::duration_cast<Clock::duration>(
                                               std::chrono::microseconds(10'000'000 / options.baud))
                                         : Clock::duration::zero();
    const Clock::duration cycle = std::chrono::milliseconds(options.cycleMs);

    PcFrameReader reader(options);
    std::vector<std::uint8_t> out;  // the telegram on its way
    long sent = 0;
    Clock::time_point nextTelegram = Clock::now() + std::chrono::milliseconds(options.delayMs);
    Clock::time_point nextByte = Clock::now();
    int reply = -1;  // the answer byte due at replyAt, -1 for none
    Clock::time_point replyAt{};
    bool doneReported = false;
    auto answer = [&](const PcFrame& frame) {
        std::fputs(frame.report.c_str(), stdout);
        std::fflush(stdout);
        if (frame.reply) {
            reply = *frame.reply;
            replyAt = Clock::now() + std::chrono::milliseconds(options.replyDelayMs);
        }
    };

    while (!stop) {
        const Clock::time_point now = Clock::now();
        const bool moreTelegrams = options.count < 0 || sent < options.count;
        // The device sends its telegrams whenever they are due, while the PC
        // talks to it and while its answer is pending: the answer goes out
        // between two telegrams, once the line is free.
        const bool lineFree = out.empty() && now >= nextByte;

        if (reply >= 0 && now >= replyAt && lineFree) {
            if (!WriteAll(fd, {static_cast<std::uint8_t>(reply)}))
                return 1;
            reply = -1;
            nextByte = std::max(nextByte, now + byteTime);
            continue;
        }
        if (out.empty() && moreTelegrams && now >= nextTelegram) {
            ++sent;
            const std::vector<std::uint8_t> bytes = DeviceTelegram(options, sent, LocalNow());
            out.assign(bytes.begin(), bytes.end());
            nextByte = std::max(nextByte, now);
        }
        if (!out.empty() && now >= nextByte) {
            // A piece as a serial adapter hands it over; the next one follows
            // when this one has had its time on the line.
            const std::size_t size =
                options.chunk > 0 ? std::min<std::size_t>(options.chunk, out.size()) : out.size();
            const std::vector<std::uint8_t> piece(out.begin(), out.begin() + size);
            if (!WriteAll(fd, piece))
                return 1;
            out.erase(out.begin(), out.begin() + size);
            // On a fixed schedule, so the average rate is the line's; a delay
            // is caught up, but never by more than one piece at once.
            const auto lineTime = byteTime * static_cast<long>(size);
            nextByte += lineTime;
            if (nextByte < now - lineTime)
                nextByte = now;
            if (out.empty())
                nextTelegram = nextByte + cycle;
            continue;
        }
        if (!doneReported && !moreTelegrams && out.empty()) {
            std::printf("sent %ld telegrams\n", sent);
            std::fflush(stdout);
            doneReported = true;
        }

        // Sleep until the next thing to do, or until the PC sends something.
        std::optional<Clock::time_point> wake = reader.Deadline();
        auto earliest = [&wake](Clock::time_point t) { wake = wake ? std::min(*wake, t) : t; };
        if (reply >= 0 && out.empty())
            earliest(std::max(replyAt, nextByte));
        if (!out.empty())
            earliest(nextByte);
        if (out.empty() && moreTelegrams)
            earliest(nextTelegram);
        const Clock::duration longest = std::chrono::milliseconds(200);
        const Clock::duration left =
            wake ? std::clamp<Clock::duration>(*wake - Clock::now(), Clock::duration::zero(),
                                               longest)
                 : longest;
        std::optional<PcFrame> frame;
        if (WaitForInput(fd, left)) {
            std::uint8_t buffer[256];
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            for (ssize_t i = 0; i < n; ++i) {
                if ((frame = reader.Add(buffer[i], Clock::now())))
                    answer(*frame);
            }
            // Nobody has the other side open: nothing to read, look again shortly.
            if (n < 0 && errno == EIO)
                ::usleep(20'000);
        }
        if ((frame = reader.Poll(Clock::now())))
            answer(*frame);
    }
    return 0;
}

}  // namespace devsim
