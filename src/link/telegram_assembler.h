#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace qvt {

// A complete telegram from the device, as the monitor shows and logs it.
struct ReceivedTelegram {
    enum class Kind { kShort, kLong27, kLong28, kLongOther };
    Kind kind = Kind::kShort;
    std::string text;   // the receive buffer up to its first zero byte
    std::string value;  // the measured value cut out of it, up to its first zero byte
    // When its CR arrived at the PC: the telegram's time, however long it
    // waited before it was handled.
    std::chrono::system_clock::time_point arrived{};
};

// Assembles the device's telegrams from the bytes handed to it; it reads
// nothing itself. The device sends text lines ending in CR in three forms:
// short ones (up to 15 bytes with the CR) that carry only the value, 26
// characters + CR + a trailing byte (usually LF), and 27 characters + CR. The
// buffer is not cleared between telegrams: bytes of an earlier, longer
// telegram stay behind a shorter one and show in its text and value, as the
// device's own display software has always shown them.
//
// The trailing byte of the 27-byte form is dropped when it had already
// arrived with the CR; one still on its way becomes the first byte of the
// next telegram. So such a telegram is complete only once the caller has
// said which: by feeding the next byte that had arrived (the trailing byte),
// or by calling NoMoreBytes() when none had.
class TelegramAssembler {
  public:
    static constexpr std::size_t kBufferSize = 31;
    static constexpr std::uint8_t kCR = 0x0D;

    // Handles one received byte, which arrived at the given time. Returns the
    // telegram it completed, if any.
    std::optional<ReceivedTelegram> Feed(std::uint8_t byte,
                                         std::chrono::system_clock::time_point arrived = {});

    // Every byte that had arrived has been fed. Returns the telegram that was
    // waiting for its trailing byte, if any; the next byte starts a new one.
    std::optional<ReceivedTelegram> NoMoreBytes();

    // Forgets a telegram begun before the port was (re)opened; its bytes were
    // sent before and are discarded like every other such byte.
    void Restart() {
        position_ = 0;
        discarding_ = false;
        pending_.reset();
    }

    // Index of the next byte; 0 between telegrams.
    std::size_t Position() const { return position_; }
    // True while bytes of a telegram have arrived but not its CR.
    bool Receiving() const { return position_ > 0 || discarding_; }
    // True after the CR of the 27-byte form, until the caller has fed the
    // next byte or called NoMoreBytes().
    bool AwaitingTrailingByte() const { return pending_.has_value(); }
    const std::array<std::uint8_t, kBufferSize>& Buffer() const { return buffer_; }

  private:
    ReceivedTelegram Complete();
    std::string CString(std::size_t from, std::size_t to) const;

    std::array<std::uint8_t, kBufferSize> buffer_{};
    std::size_t position_ = 0;
    // A run longer than the buffer without CR is no telegram: its bytes are
    // dropped up to and including the next CR.
    bool discarding_ = false;
    // A telegram of the 27-byte form, complete but for its trailing byte.
    std::optional<ReceivedTelegram> pending_;
};

}  // namespace qvt
