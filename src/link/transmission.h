#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "link/clock.h"
#include "link/telegrams.h"
#include "platform/serial_port.h"

namespace qvt {

struct ParameterRecord;

// Discards every byte already received.
void DrainInput(SerialPort& port);

// Waits for the device's one-byte answer: the first byte that arrives before
// the whole-second clock, as read when the wait starts, has advanced by
// windowSeconds. Nothing further is read. Nothing when none came.
std::optional<std::uint8_t> WaitForReply(SerialPort& port, const Clock& clock, int windowSeconds);

// Drops what the device has sent so far (its cyclic telegrams), sends the
// parameter telegram built from the record and the clock's local time, and
// waits until the whole-second clock has advanced by 2 (one to two seconds
// after the last byte has left the PC). Returns the reply byte; nothing when
// none arrived, and at once when the write failed on an open port.
std::optional<std::uint8_t> TransmitParameters(SerialPort& port, const ParameterRecord& record,
                                               const Clock& clock);

// Sends the test value telegram (no draining) and waits until the whole-second
// clock has advanced by 1. Returns the reply byte; nothing when none arrived,
// and at once when the write failed on an open port.
std::optional<std::uint8_t> TransmitTestValue(SerialPort& port, std::string_view testValue,
                                              TestValuePoint point, const Clock& clock);

}  // namespace qvt
