#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <span>
#include <string_view>

namespace qvt {

struct ParameterRecord;

inline constexpr std::size_t kParameterTelegramSize = 63;
inline constexpr std::size_t kTestValueTelegramSize = 6;
inline constexpr std::uint8_t kParameterTelegramStart = 0x02;
inline constexpr std::uint8_t kParameterTelegramLength = 0x3D;  // bytes that follow
inline constexpr std::uint8_t kTestValueTelegramStart = 0x03;
inline constexpr std::uint8_t kAcknowledge = 0x06;
inline constexpr std::uint8_t kNegativeAcknowledge = 0x15;

using ParameterTelegramBytes = std::array<std::uint8_t, kParameterTelegramSize>;
using TestValueTelegramBytes = std::array<std::uint8_t, kTestValueTelegramSize>;

// Packed BCD of 0..99 (tens in the high nibble), used for the date and time.
const std::array<std::uint8_t, 100>& DigitTable();

// The 8-bit sum of the given bytes: the last byte of every telegram is the sum
// of all the bytes before it.
std::uint8_t TelegramChecksum(std::span<const std::uint8_t> bytes);

// The whole parameter set with the PC's local date and time (seconds are not
// sent). The record's deviceType decides how the numeric texts are encoded.
ParameterTelegramBytes ParameterTelegram(const ParameterRecord& record, const std::tm& localTime);

// Decimal point of the test value, as the display dialog's buttons choose it.
enum class TestValuePoint : int {
    kNone = 0,
    kThousands = 1,  // "X . XXX"
    kHundreds = 2,   // "XX . XX"
    kTens = 3,       // "XXX . X"
};

// The test value the device shows: the text is read from its last character
// backwards, the low four bits of each giving one digit (a blank gives 0); the
// thousands digit is limited to 3; the point marks its digit with 0x10.
TestValueTelegramBytes TestValueTelegram(std::string_view testValue, TestValuePoint point);

}  // namespace qvt
