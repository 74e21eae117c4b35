#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string_view>

#include "link/clock.h"
#include "link/telegrams.h"
#include "platform/serial_port.h"

namespace qvt {

struct ParameterRecord;

// Discards every byte already received.
void DrainInput(SerialPort& port);

// Whether a byte from the device answers a telegram of the PC rather than
// belonging to one of the device's own telegrams, which it keeps sending
// whenever they are due, before and after its answer. Its telegrams are text
// (Latin-1), CR and LF, and zero bytes, which the monitor drops; every other
// control byte (0x06 accepting, 0x15 refusing) is an answer.
bool IsReplyByte(std::uint8_t byte);

// Takes the bytes of the device's telegrams that a transmission reads off the
// port in passing, in order, so that they reach the monitor whole.
using TelegramBytes = std::function<void(const ReceivedByte&)>;

// Waits for the device's answer to a telegram: the first reply byte that
// arrives before the whole-second clock, as read when the wait starts, has
// advanced by windowSeconds. The telegram bytes arriving meanwhile go to
// `passOn`; nothing after the answer is read. Nothing when none came.
std::optional<std::uint8_t> WaitForReply(SerialPort& port, const Clock& clock, int windowSeconds,
                                         const TelegramBytes& passOn = {});

// One transmission: what arrived before it is taken off the port (telegram
// bytes to `passOn`, anything else, such as a late answer to an earlier
// telegram, dropped), the telegram is sent, and the answer awaited as
// WaitForReply() does. Nothing when none came, and at once when the write
// failed on an open port (it timed out or its drain stalled: the telegram
// left at best in part). On a closed port the window runs out as it would
// with a silent device.
std::optional<std::uint8_t> Transmit(SerialPort& port, std::span<const std::uint8_t> telegram,
                                     int windowSeconds, const Clock& clock,
                                     const TelegramBytes& passOn = {});

// Sends the parameter telegram built from the record and the clock's local
// time, and waits until the whole-second clock has advanced by 2 (one to two
// seconds after the last byte has left the PC).
std::optional<std::uint8_t> TransmitParameters(SerialPort& port, const ParameterRecord& record,
                                               const Clock& clock,
                                               const TelegramBytes& passOn = {});

// Sends the test value telegram and waits until the whole-second clock has
// advanced by 1.
std::optional<std::uint8_t> TransmitTestValue(SerialPort& port, std::string_view testValue,
                                              TestValuePoint point, const Clock& clock,
                                              const TelegramBytes& passOn = {});

}  // namespace qvt
