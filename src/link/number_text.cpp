#include "link/number_text.h"

#include "core/device_family.h"

namespace qvt {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

int DigitValue(char c, int base) {
    int value = base;  // "does not fit"
    if (c >= '0' && c <= '9')
        value = c - '0';
    if (c >= 'a' && c <= 'f')
        value = c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        value = c - 'A' + 10;
    return value < base ? value : -1;
}

std::optional<std::int32_t> ReadNumber(std::string_view text, int base) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (base == 16 && i + 2 < text.size() && text[i] == '0' &&
        (text[i + 1] == 'x' || text[i + 1] == 'X') && DigitValue(text[i + 2], 16) >= 0) {
        i += 2;
    }
    // The fields hold at most a few characters; the wider accumulator cannot
    // overflow, and only the low bits are ever sent.
    std::uint32_t value = 0;
    bool anyDigit = false;
    for (; i < text.size(); ++i) {
        const int digit = DigitValue(text[i], base);
        if (digit < 0)
            break;
        value = value * static_cast<std::uint32_t>(base) + static_cast<std::uint32_t>(digit);
        anyDigit = true;
    }
    if (!anyDigit)
        return std::nullopt;
    if (negative)
        value = 0u - value;
    return static_cast<std::int32_t>(value);
}

std::uint16_t Low16(std::optional<std::int32_t> value) {
    return value ? static_cast<std::uint16_t>(static_cast<std::uint32_t>(*value) & 0xFFFFu) : 0;
}

}  // namespace

std::optional<std::int32_t> ReadDecimal(std::string_view text) {
    return ReadNumber(text, 10);
}

std::optional<std::int32_t> ReadHexadecimal(std::string_view text) {
    return ReadNumber(text, 16);
}

std::uint16_t SignedFieldValue(std::string_view text, std::uint8_t deviceType) {
    if (ReadsBinaryNumbers(deviceType)) {
        return Low16(ReadDecimal(text));
    }
    if (!text.empty() && text.front() == '-') {
        const std::optional<std::int32_t> magnitude = ReadHexadecimal(text.substr(1));
        if (!magnitude)
            return 0;
        return static_cast<std::uint16_t>(Low16(magnitude) | 0x2000u);
    }
    return Low16(ReadHexadecimal(text));
}

std::uint16_t UnsignedFieldValue(std::string_view text, std::uint8_t deviceType) {
    if (ReadsBinaryNumbers(deviceType)) {
        return Low16(ReadDecimal(text));
    }
    return Low16(ReadHexadecimal(text));
}

std::uint16_t BcdFieldValue(std::string_view text) {
    return Low16(ReadHexadecimal(text));
}

std::uint8_t ByteFieldValue(std::string_view text) {
    return static_cast<std::uint8_t>(Low16(ReadDecimal(text)) & 0xFFu);
}

}  // namespace qvt
