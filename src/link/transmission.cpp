#include "link/transmission.h"

#include <algorithm>

#include "core/parameter_record.h"

namespace qvt {

void DrainInput(SerialPort& port) {
    while (port.ReadByte() >= 0) {
    }
}

std::optional<std::uint8_t> WaitForReply(SerialPort& port, const Clock& clock, int windowSeconds) {
    const std::int64_t end = WholeSeconds(clock.Now()) + windowSeconds;
    const Clock::TimePoint deadline{std::chrono::seconds(end)};
    for (;;) {
        const int byte = port.ReadByte();
        if (byte >= 0)
            return static_cast<std::uint8_t>(byte);
        const Clock::TimePoint now = clock.Now();
        if (WholeSeconds(now) >= end)
            return std::nullopt;
        // Sleep in the port until a byte arrives or the window closes, instead
        // of spinning on the clock.
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - now).count();
        port.WaitForBytes(static_cast<int>(std::clamp<std::int64_t>(left, 1, 1000)));
    }
}

namespace {

// Sends a telegram and waits for the device's one-byte answer; nothing when
// none came. A write that failed on an open port (it timed out, its rest dropped)
// has reached the device at best in part: no answer is waited for. On a closed
// port the window runs out as it would with a silent device.
std::optional<std::uint8_t> SendAndWaitForReply(SerialPort& port, const std::uint8_t* telegram,
                                                std::size_t size, const Clock& clock,
                                                int windowSeconds) {
    if (!port.Write(telegram, size) && port.IsOpen())
        return std::nullopt;
    return WaitForReply(port, clock, windowSeconds);
}

}  // namespace

std::optional<std::uint8_t> TransmitParameters(SerialPort& port, const ParameterRecord& record,
                                               const Clock& clock) {
    const ParameterTelegramBytes telegram = ParameterTelegram(record, LocalTime(clock.Now()));
    // The device's cyclic telegrams are dropped before sending, not after: the
    // write returns only some milliseconds after the last stop bit, and a quick
    // device has answered by then.
    DrainInput(port);
    return SendAndWaitForReply(port, telegram.data(), telegram.size(), clock, 2);
}

std::optional<std::uint8_t> TransmitTestValue(SerialPort& port, std::string_view testValue,
                                              TestValuePoint point, const Clock& clock) {
    const TestValueTelegramBytes telegram = TestValueTelegram(testValue, point);
    return SendAndWaitForReply(port, telegram.data(), telegram.size(), clock, 1);
}

}  // namespace qvt
