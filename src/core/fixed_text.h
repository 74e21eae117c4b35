#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace qvt {

// A zero-terminated text of fixed capacity, as the device parameter fields are
// kept. Capacity counts the terminating zero, so a FixedText<5> holds at most
// four characters. Every way of writing it truncates to the capacity, so no
// writer can overrun the field whatever it is handed.
template <std::size_t Capacity>
class FixedText {
    static_assert(Capacity >= 1, "a text field needs room for its terminator");

  public:
    static constexpr std::size_t kCapacity = Capacity;
    static constexpr std::size_t kMaxLength = Capacity - 1;

    constexpr FixedText() = default;
    constexpr FixedText(std::string_view text) { assign(text); }  // NOLINT: implicit on purpose

    constexpr FixedText& operator=(std::string_view text) {
        assign(text);
        return *this;
    }

    constexpr void assign(std::string_view text) {
        // A zero byte inside the source ends the text, as it would in the C field.
        const std::size_t zero = text.find('\0');
        if (zero != std::string_view::npos)
            text = text.substr(0, zero);
        length_ = text.size() < kMaxLength ? text.size() : kMaxLength;
        for (std::size_t i = 0; i < Capacity; ++i) chars_[i] = i < length_ ? text[i] : '\0';
    }

    constexpr void clear() { assign({}); }

    constexpr std::string_view view() const { return {chars_.data(), length_}; }
    std::string str() const { return std::string(view()); }
    constexpr const char* c_str() const { return chars_.data(); }
    constexpr std::size_t size() const { return length_; }
    constexpr bool empty() const { return length_ == 0; }

    // The raw field bytes, terminator and padding included (always zero after the text).
    constexpr const std::array<char, Capacity>& bytes() const { return chars_; }

    friend constexpr bool operator==(const FixedText& a, const FixedText& b) {
        return a.view() == b.view();
    }
    friend constexpr bool operator==(const FixedText& a, std::string_view b) {
        return a.view() == b;
    }

  private:
    std::array<char, Capacity> chars_{};
    std::size_t length_ = 0;
};

}  // namespace qvt
