#include "link/transmission.h"

#include <algorithm>

#include "core/parameter_record.h"

namespace qvt {

void DrainInput(SerialPort& port) {
    while (port.ReadByte() >= 0) {
    }
}

bool IsReplyByte(std::uint8_t byte) {
    constexpr std::uint8_t kLF = 0x0A;
    constexpr std::uint8_t kCR = 0x0D;
    constexpr std::uint8_t kDelete = 0x7F;
    if (byte == 0 || byte == kLF || byte == kCR)
        return false;
    return byte < 0x20 || byte == kDelete;
}

namespace {

void PassOn(const TelegramBytes& passOn, const ReceivedByte& byte) {
    if (passOn)
        passOn(byte);
}

}  // namespace

std::optional<std::uint8_t> WaitForReply(SerialPort& port, const Clock& clock, int windowSeconds,
                                         const TelegramBytes& passOn) {
    const std::int64_t end = WholeSeconds(clock.Now()) + windowSeconds;
    const Clock::TimePoint deadline{std::chrono::seconds(end)};
    for (;;) {
        // The port is read empty before the window is looked at: a byte that
        // arrived in time is judged, however long its reading took.
        for (ReceivedByte byte = port.ReadReceivedByte(); byte.value >= 0;
             byte = port.ReadReceivedByte()) {
            const auto value = static_cast<std::uint8_t>(byte.value);
            if (IsReplyByte(value))
                return value;
            PassOn(passOn, byte);
        }
        const Clock::TimePoint now = clock.Now();
        if (WholeSeconds(now) >= end)
            return std::nullopt;
        // Sleep in the port until a byte arrives or the window closes, instead
        // of spinning on the clock.
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - now).count();
        port.WaitForBytes(static_cast<int>(std::clamp<std::int64_t>(left, 1, 1000)));
    }
}

std::optional<std::uint8_t> Transmit(SerialPort& port, std::span<const std::uint8_t> telegram,
                                     int windowSeconds, const Clock& clock,
                                     const TelegramBytes& passOn) {
    // Taken before sending, not after: the write returns only some
    // milliseconds after the last stop bit, and a quick device has answered
    // by then.
    for (ReceivedByte byte = port.ReadReceivedByte(); byte.value >= 0;
         byte = port.ReadReceivedByte()) {
        if (!IsReplyByte(static_cast<std::uint8_t>(byte.value)))
            PassOn(passOn, byte);
    }
    if (!port.Write(telegram.data(), telegram.size()) && port.IsOpen())
        return std::nullopt;
    return WaitForReply(port, clock, windowSeconds, passOn);
}

std::optional<std::uint8_t> TransmitParameters(SerialPort& port, const ParameterRecord& record,
                                               const Clock& clock, const TelegramBytes& passOn) {
    const ParameterTelegramBytes telegram = ParameterTelegram(record, LocalTime(clock.Now()));
    return Transmit(port, telegram, 2, clock, passOn);
}

std::optional<std::uint8_t> TransmitTestValue(SerialPort& port, std::string_view testValue,
                                              TestValuePoint point, const Clock& clock,
                                              const TelegramBytes& passOn) {
    const TestValueTelegramBytes telegram = TestValueTelegram(testValue, point);
    return Transmit(port, telegram, 1, clock, passOn);
}

}  // namespace qvt
