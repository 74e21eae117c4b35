#include "core/parameter_choices.h"

#include "core/device_family.h"

namespace qvt {
namespace {

constexpr std::uint8_t kPointMask = 0x03;
constexpr std::uint8_t kDisplayReception = 0x04;
constexpr std::uint8_t kFivesMainFamily = 5;
constexpr std::uint8_t kFivesOtherTypes = 3;

// The counter family's point codes 1 and 3 stand for the other family's 3 and 1.
std::uint8_t ExchangeForCounterFamily(std::uint8_t code, std::uint8_t deviceType) {
    if (!IsCounterFamily(deviceType) || code == 0 || code == 2)
        return code;
    return code == 1 ? 3 : 1;
}

// The main family's mode codes 1 and 2 stand for the other types' 2 and 1.
std::uint8_t ExchangeForMainFamily(std::uint8_t code, std::uint8_t deviceType) {
    if (!IsMainFamily(deviceType) || (code != 1 && code != 2))
        return code;
    return code == 1 ? 2 : 1;
}

}  // namespace

DecimalPoint DecimalPointOf(std::uint8_t azDecimalPoint, std::uint8_t deviceType) {
    return static_cast<DecimalPoint>(
        ExchangeForCounterFamily(azDecimalPoint & kPointMask, deviceType));
}

bool DisplayReceptionOf(std::uint8_t azDecimalPoint) {
    return azDecimalPoint > 3;
}

std::uint8_t DecimalPointCode(DecimalPoint point, bool displayReception, std::uint8_t deviceType) {
    const std::uint8_t code =
        ExchangeForCounterFamily(static_cast<std::uint8_t>(point), deviceType);
    return displayReception ? code | kDisplayReception : code;
}

Rounding RoundingOf(std::uint8_t azRounding) {
    return azRounding > 2 ? Rounding::kFives : static_cast<Rounding>(azRounding);
}

std::uint8_t RoundingCode(Rounding rounding, std::uint8_t deviceType) {
    if (rounding != Rounding::kFives)
        return static_cast<std::uint8_t>(rounding);
    return IsMainFamily(deviceType) ? kFivesMainFamily : kFivesOtherTypes;
}

SioSending SioSendingOf(std::uint8_t sioMode, std::uint8_t deviceType) {
    const std::uint8_t code = ExchangeForMainFamily(sioMode, deviceType);
    return code <= 2 ? static_cast<SioSending>(code) : SioSending::kPassive;
}

std::uint8_t SioModeCode(SioSending sending, std::uint8_t deviceType) {
    return ExchangeForMainFamily(static_cast<std::uint8_t>(sending), deviceType);
}

}  // namespace qvt
