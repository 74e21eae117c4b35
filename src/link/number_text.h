#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace qvt {

// The record keeps numbers as typed texts. These readers interpret them the way
// the C library's formatted input does: leading blanks are skipped, an optional
// sign is taken, then digits up to the first character that does not fit.
// Nothing when no digit follows.
std::optional<std::int32_t> ReadDecimal(std::string_view text);
std::optional<std::int32_t> ReadHexadecimal(std::string_view text);  // optional "0x" prefix

// The 16-bit (or 8-bit) value a numeric field is sent as. A text without any
// number is sent as 0. Device types 1 and 2 take the texts as decimal numbers
// (two's complement); type 0 reads the decimal digits as hexadecimal, which
// packs up to four of them as BCD, and a leading "-" sets bit 13 as the sign.
std::uint16_t SignedFieldValue(std::string_view text, std::uint8_t deviceType);
std::uint16_t UnsignedFieldValue(std::string_view text, std::uint8_t deviceType);
std::uint16_t BcdFieldValue(std::string_view text);
std::uint8_t ByteFieldValue(std::string_view text);

}  // namespace qvt
