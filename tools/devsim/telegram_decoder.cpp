#include "devsim/telegram_decoder.h"

#include <cstdio>

#include "core/parameter_record.h"
#include "link/telegrams.h"

namespace qvt {
namespace {

enum class Kind { kSigned, kUnsigned, kBcd, kByte };

struct FieldSpot {
    const char* name;
    std::size_t offset;
    Kind kind;
};

constexpr FieldSpot kFields[] = {
    {"mbMeasStart", 2, Kind::kSigned},      {"mbDisplayStart", 4, Kind::kSigned},
    {"mbMeasEnd", 6, Kind::kSigned},        {"mbDisplayEnd", 8, Kind::kSigned},
    {"daCardType", 10, Kind::kByte},        {"azDecimalPoint", 12, Kind::kByte},
    {"sp1Setpoint", 14, Kind::kSigned},     {"sp1Active", 16, Kind::kByte},
    {"sp2Setpoint", 18, Kind::kSigned},     {"sp2Active", 20, Kind::kByte},
    {"sp1Hysteresis", 22, Kind::kSigned},   {"sp2Hysteresis", 24, Kind::kSigned},
    {"soDisplayMode", 26, Kind::kByte},     {"soCountDirection", 27, Kind::kByte},
    {"soEncoderPulses", 28, Kind::kSigned}, {"sp1RelayNC", 30, Kind::kByte},
    {"sp2RelayNC", 32, Kind::kByte},        {"sp1Delay", 34, Kind::kUnsigned},
    {"sp2Delay", 36, Kind::kUnsigned},      {"azRounding", 38, Kind::kByte},
    {"azAverageCount", 40, Kind::kBcd},     {"funcCode", 42, Kind::kByte},
    {"reserved", 44, Kind::kByte},          {"sioMode", 46, Kind::kByte},
    {"azDivideBy10", 48, Kind::kByte},      {"sioBaudIndex", 50, Kind::kByte},
    {"sioSendCycle", 58, Kind::kByte},
};

std::string Format(const char* format, unsigned value) {
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string FieldText(std::uint16_t w, Kind kind, std::uint8_t deviceType) {
    const bool binary = deviceType == kDeviceQvt0xx || deviceType == kDeviceQvt055;
    switch (kind) {
        case Kind::kSigned:
            if (binary)
                return std::to_string(static_cast<std::int16_t>(w));
            // Bit 13 is the sign of the device's BCD value.
            if (w & 0x2000u)
                return Format("-%04X", w & ~0x2000u);
            return Format("%04X", w);
        case Kind::kUnsigned:
            return binary ? std::to_string(w) : Format("%04X", w);
        case Kind::kBcd:
            return Format("%X", w);
        case Kind::kByte:
            return std::to_string(w & 0xFFu);
    }
    return {};
}

int FromBcd(std::uint8_t b) {
    return (b >> 4) * 10 + (b & 0x0F);
}

}  // namespace

TelegramCheck CheckParameterTelegram(std::span<const std::uint8_t> b) {
    if (b.size() < 2 || b[0] != kParameterTelegramStart || b[1] != kParameterTelegramLength) {
        return TelegramCheck::kBadStart;
    }
    if (b.size() != kParameterTelegramSize)
        return TelegramCheck::kBadLength;
    if (TelegramChecksum(b.first(62)) != b[62])
        return TelegramCheck::kBadChecksum;
    return TelegramCheck::kOk;
}

TelegramCheck CheckTestValueTelegram(std::span<const std::uint8_t> b) {
    if (b.empty() || b[0] != kTestValueTelegramStart)
        return TelegramCheck::kBadStart;
    if (b.size() != kTestValueTelegramSize)
        return TelegramCheck::kBadLength;
    if (TelegramChecksum(b.first(5)) != b[5])
        return TelegramCheck::kBadChecksum;
    return TelegramCheck::kOk;
}

const char* TelegramCheckText(TelegramCheck check) {
    switch (check) {
        case TelegramCheck::kOk:
            return "ok";
        case TelegramCheck::kBadStart:
            return "wrong start bytes";
        case TelegramCheck::kBadLength:
            return "wrong length";
        case TelegramCheck::kBadChecksum:
            return "wrong checksum";
    }
    return "?";
}

std::vector<DecodedField> DecodeParameterTelegram(std::span<const std::uint8_t> b,
                                                  std::uint8_t deviceType) {
    std::vector<DecodedField> fields;
    if (b.size() != kParameterTelegramSize)
        return fields;
    for (const FieldSpot& f : kFields) {
        const std::uint16_t word = static_cast<std::uint16_t>(
            b[f.offset] | (f.kind == Kind::kByte ? 0 : b[f.offset + 1] << 8));
        fields.push_back({f.name, FieldText(word, f.kind, deviceType)});
    }
    char time[64];
    std::snprintf(time, sizeof time, "20%02d-%02d-%02d %02d:%02d weekday %d", FromBcd(b[57]),
                  FromBcd(b[56]), FromBcd(b[54]), FromBcd(b[53]), FromBcd(b[52]), b[55]);
    fields.push_back({"time", time});
    std::string unit;
    for (std::size_t i = 59; i < 62 && b[i] != 0; ++i) unit.push_back(static_cast<char>(b[i]));
    fields.push_back({"azUnitText", unit});
    return fields;
}

std::string DecodeTestValue(std::span<const std::uint8_t> b) {
    std::string shown;
    if (b.size() != kTestValueTelegramSize)
        return shown;
    for (int i = 4; i >= 1; --i) {
        shown.push_back("0123456789ABCDEF"[b[static_cast<std::size_t>(i)] & 0x0F]);
        if ((b[static_cast<std::size_t>(i)] & 0x10) && i > 1)
            shown.push_back('.');
    }
    return shown;
}

}  // namespace qvt
