#include "core/measured_value.h"

#include <charconv>

#include "core/latin1_text.h"

namespace qvt {
namespace {

constexpr std::size_t kUnitIndex = 25;  // after the 8-character field at 17

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::optional<std::string> Normalised(std::string_view field, int& decimals) {
    std::string number;
    bool point = false;
    bool digit = false;
    decimals = 0;
    for (const char c : ShownValue(field)) {
        if (c == ' ')
            continue;
        if ((c == '+' || c == '-') && number.empty()) {
            number.push_back(c);  // a '+' is dropped below
            continue;
        }
        if ((c == '.' || c == ',') && !point) {
            point = true;
            number.push_back('.');
            continue;
        }
        if (!IsDigit(c))
            return std::nullopt;
        digit = true;
        number.push_back(c);
        if (point)
            ++decimals;
    }
    if (!digit)
        return std::nullopt;
    if (number.front() == '+')
        number.erase(0, 1);
    return number;
}

}  // namespace

ValueByte ValueByteRole(char byte) {
    const auto code = static_cast<unsigned char>(byte);
    if (code == '\r')
        return ValueByte::kEnd;
    if (code < 0x20 || (code >= 0x7F && code < 0xA0))
        return ValueByte::kBlank;
    return ValueByte::kCharacter;
}

std::string ShownValue(std::string_view field) {
    std::string shown;
    for (const char c : field) {
        const ValueByte role = ValueByteRole(c);
        if (role == ValueByte::kEnd)
            break;
        shown.push_back(role == ValueByte::kBlank ? ' ' : c);
    }
    return shown;
}

std::optional<double> ParseMeasuredValue(std::string_view field) {
    int decimals = 0;
    const std::optional<std::string> number = Normalised(field, decimals);
    if (!number)
        return std::nullopt;
    double value = 0;
    const char* end = number->data() + number->size();
    const auto result = std::from_chars(number->data(), end, value);
    if (result.ec != std::errc() || result.ptr != end)
        return std::nullopt;
    return value == 0 ? 0.0 : value;  // "-0000" is zero, not minus zero
}

MeasuredValue ReadMeasuredValue(TelegramForm form, std::string_view text, std::string_view field) {
    MeasuredValue reading;
    reading.number = ParseMeasuredValue(field);
    if (reading.number)
        Normalised(field, reading.decimals);
    if (form == TelegramForm::kLong27 && text.size() > kUnitIndex) {
        const char unit = text[kUnitIndex];
        const auto byte = static_cast<unsigned char>(unit);
        const bool printable = (byte > ' ' && byte < 0x7F) || byte >= 0xA0;
        if (printable && !IsDigit(unit))
            reading.unit = Utf8FromLatin1(text.substr(kUnitIndex, 1));
    }
    return reading;
}

}  // namespace qvt
