#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace qvt {

// How the device judges a telegram from the PC before it answers: start
// bytes, length and checksum must be right for 0x06, anything else gets 0x15.
enum class TelegramCheck { kOk, kBadStart, kBadLength, kBadChecksum };

TelegramCheck CheckParameterTelegram(std::span<const std::uint8_t> bytes);
TelegramCheck CheckTestValueTelegram(std::span<const std::uint8_t> bytes);
const char* TelegramCheckText(TelegramCheck check);

// A field of a parameter telegram as the device understands it.
struct DecodedField {
    std::string name;   // the record's field name, or "time"
    std::string value;  // numbers as the device reads them, e.g. "-0150" or "150"

    friend bool operator==(const DecodedField&, const DecodedField&) = default;
};

// Decodes a checked parameter telegram for a device of the given type, in
// telegram order. Type 0 devices read BCD with bit 13 as the minus sign
// ("-0150"), types 1 and 2 two's complement binary ("-150").
std::vector<DecodedField> DecodeParameterTelegram(std::span<const std::uint8_t> bytes,
                                                  std::uint8_t deviceType);

// The test value as the device shows it, e.g. "1.234" or "0005".
std::string DecodeTestValue(std::span<const std::uint8_t> bytes);

}  // namespace qvt
