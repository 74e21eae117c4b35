#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/serial_port.h"

namespace qvt {

// A complete telegram from the device, as the monitor shows and logs it.
struct ReceivedTelegram {
    enum class Kind { kShort, kLong27, kLong28, kLongOther };
    Kind kind = Kind::kShort;
    std::string text;   // the receive buffer up to its first zero byte
    std::string value;  // the measured value cut out of it, up to its first zero byte
};

// Assembles the device's telegrams byte by byte. The device sends text lines
// ending in CR in three forms: short ones (up to 15 bytes with the CR) that
// carry only the value, 26 characters + CR + a trailing byte (usually LF), and
// 27 characters + CR. The buffer is not cleared between telegrams: bytes of an
// earlier, longer telegram stay behind a shorter one and show in its text and
// value, as the device's own display software has always shown them.
class TelegramAssembler {
  public:
    static constexpr std::size_t kBufferSize = 31;
    static constexpr std::uint8_t kCR = 0x0D;

    // Handles one byte read from the source (the trailing byte of the 27-byte
    // form is read from it too, if it is there). Returns the telegram when the
    // byte completed one.
    std::optional<ReceivedTelegram> Step(ByteSource& source);

    // Handles one byte that has already been read.
    std::optional<ReceivedTelegram> Feed(std::uint8_t byte, ByteSource& source);

    // Forgets a telegram begun before the port was (re)opened; its bytes were
    // sent before and are discarded like every other such byte.
    void Restart() {
        position_ = 0;
        discarding_ = false;
    }

    // Index of the next byte; 0 between telegrams.
    std::size_t position() const { return position_; }
    // True while bytes of a telegram have arrived but not its CR.
    bool receiving() const { return position_ > 0 || discarding_; }
    const std::array<std::uint8_t, kBufferSize>& buffer() const { return buffer_; }

  private:
    ReceivedTelegram Complete(ByteSource& source);
    std::string CString(std::size_t from, std::size_t to) const;

    std::array<std::uint8_t, kBufferSize> buffer_{};
    std::size_t position_ = 0;
    // A run longer than the buffer without CR is no telegram: its bytes are
    // dropped up to and including the next CR.
    bool discarding_ = false;
};

}  // namespace qvt
