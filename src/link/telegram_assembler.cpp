#include "link/telegram_assembler.h"

#include <utility>

namespace qvt {

std::optional<ReceivedTelegram> TelegramAssembler::Feed(
    std::uint8_t byte, std::chrono::system_clock::time_point arrived) {
    if (pending_) {
        // Whatever it is, it had arrived with the CR: it is the trailing byte.
        return std::exchange(pending_, std::nullopt);
    }
    if (byte == 0)
        return std::nullopt;  // zero bytes are never stored
    if (discarding_) {
        if (byte == kCR)
            discarding_ = false;
        return std::nullopt;
    }
    if (position_ >= kBufferSize) {
        // Full without a CR: drop this overlong run.
        position_ = 0;
        discarding_ = byte != kCR;
        return std::nullopt;
    }
    buffer_[position_++] = byte;
    if (byte != kCR)
        return std::nullopt;
    ReceivedTelegram telegram = Complete();
    telegram.arrived = arrived;
    if (telegram.kind == ReceivedTelegram::Kind::kLong27) {
        pending_ = std::move(telegram);
        return std::nullopt;
    }
    return telegram;
}

std::optional<ReceivedTelegram> TelegramAssembler::NoMoreBytes() {
    return std::exchange(pending_, std::nullopt);
}

ReceivedTelegram TelegramAssembler::Complete() {
    ReceivedTelegram t;
    const std::size_t length = position_;  // including the CR
    if (length <= 15) {
        buffer_[6] = 0;
        t.kind = ReceivedTelegram::Kind::kShort;
    } else {
        if (buffer_[26] == kCR) {
            // Followed by its trailing byte, which Feed() decides about.
            t.kind = ReceivedTelegram::Kind::kLong27;
        } else if (buffer_[27] == kCR) {
            buffer_[27] = 0;
            t.kind = ReceivedTelegram::Kind::kLong28;
        } else {
            t.kind = ReceivedTelegram::Kind::kLongOther;
        }
        buffer_[26] = 0;
    }
    t.text = CString(0, kBufferSize);

    // The value: byte 17, a blank, bytes 18..24 (and 25 for the 28-byte form);
    // of a short telegram byte 0, a blank, bytes 1..5.
    std::string value;
    auto append = [&](std::size_t from, std::size_t to) {
        for (std::size_t i = from; i < to; ++i) value.push_back(static_cast<char>(buffer_[i]));
    };
    if (t.kind == ReceivedTelegram::Kind::kShort) {
        append(0, 1);
        value.push_back(' ');
        append(1, 6);
    } else {
        append(17, 18);
        value.push_back(' ');
        append(18, t.kind == ReceivedTelegram::Kind::kLong28 ? 26 : 25);
    }
    t.value = value.substr(0, value.find('\0'));
    position_ = 0;
    return t;
}

std::string TelegramAssembler::CString(std::size_t from, std::size_t to) const {
    std::string s;
    for (std::size_t i = from; i < to && buffer_[i] != 0; ++i) {
        s.push_back(static_cast<char>(buffer_[i]));
    }
    return s;
}

}  // namespace qvt
