#include "link/transmission.h"

#include <algorithm>

#include "core/parameter_record.h"

namespace qvt {

void DrainInput(SerialPort& port) {
    while (port.ReadByte() >= 0) {
    }
}

int WaitForReply(SerialPort& port, const Clock& clock, int windowSeconds) {
    const std::int64_t end = WholeSeconds(clock.Now()) + windowSeconds;
    const Clock::TimePoint deadline{std::chrono::seconds(end)};
    for (;;) {
        const int byte = port.ReadByte();
        if (byte >= 0)
            return byte;
        const Clock::TimePoint now = clock.Now();
        if (WholeSeconds(now) >= end)
            return -1;
        // Sleep in the port until a byte arrives or the window closes, instead
        // of spinning on the clock.
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - now).count();
        port.WaitForBytes(static_cast<int>(std::clamp<std::int64_t>(left, 1, 1000)));
    }
}

int TransmitParameters(SerialPort& port, const ParameterRecord& record, const Clock& clock) {
    const ParameterTelegramBytes telegram = ParameterTelegram(record, LocalTime(clock.Now()));
    port.Write(telegram.data(), telegram.size());
    DrainInput(port);
    const int reply = WaitForReply(port, clock, 2);
    return reply < 0 ? 0 : reply;
}

int TransmitTestValue(SerialPort& port, std::string_view testValue, TestValuePoint point,
                      const Clock& clock) {
    const TestValueTelegramBytes telegram = TestValueTelegram(testValue, point);
    port.Write(telegram.data(), telegram.size());
    return WaitForReply(port, clock, 1);
}

}  // namespace qvt
