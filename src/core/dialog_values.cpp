#include "core/dialog_values.h"

#include "core/device_family.h"

namespace qvt {
namespace {

constexpr int kLastDeviceBaud = 6;  // 9600 baud
constexpr int kDeviceBaud4800 = 5;  // shown for an unknown device rate
constexpr int kPcBaudButton4800 = 4;
constexpr int kSaturday = 6;
constexpr int kMonday = 1;

std::uint8_t Flag(bool set) {
    return set ? 1 : 0;
}

// Decimal text with a leading '0' when it is one character long (7 -> "07").
std::string TwoPlaces(int value) {
    std::string text = std::to_string(value);
    if (text.size() == 1)
        text.insert(text.begin(), '0');
    return text;
}

}  // namespace

DisplayValues DisplayValuesOf(const ParameterRecord& r) {
    return {.point = DecimalPointOf(r.azDecimalPoint, r.deviceType),
            .rounding = RoundingOf(r.azRounding),
            .divideBy10 = r.azDivideBy10 == 1,
            .displayReception = DisplayReceptionOf(r.azDecimalPoint),
            .averageCount = r.azAverageCount.str(),
            .unitText = r.azUnitText.str()};
}

void Commit(const DisplayValues& v, ParameterRecord& r) {
    r.azDivideBy10 = Flag(v.divideBy10);
    r.azRounding = RoundingCode(v.rounding, r.deviceType);
    r.azDecimalPoint = DecimalPointCode(v.point, v.displayReception, r.deviceType);
    r.azAverageCount = v.averageCount;
    r.azUnitText = v.unitText;
}

SwitchingPointValues SwitchingPointValuesOf(const ParameterRecord& r) {
    return {{SwitchingPoint{r.sp1Setpoint.str(), r.sp1Hysteresis.str(), r.sp1Delay.str(),
                            r.sp1RelayNC == 1, r.sp1Active == 1},
             SwitchingPoint{r.sp2Setpoint.str(), r.sp2Hysteresis.str(), r.sp2Delay.str(),
                            r.sp2RelayNC == 1, r.sp2Active == 1}}};
}

void Commit(const SwitchingPointValues& v, ParameterRecord& r) {
    const auto commit = [](const SwitchingPoint& point, auto& setpoint, auto& hysteresis,
                           auto& delay, std::uint8_t& relayNC, std::uint8_t& active) {
        setpoint = point.setpoint;
        hysteresis = point.hysteresis;
        delay = point.delay;
        relayNC = Flag(point.relayNC);
        active = Flag(point.active);
    };
    commit(v.points[0], r.sp1Setpoint, r.sp1Hysteresis, r.sp1Delay, r.sp1RelayNC, r.sp1Active);
    commit(v.points[1], r.sp2Setpoint, r.sp2Hysteresis, r.sp2Delay, r.sp2RelayNC, r.sp2Active);
}

RangeValues RangeValuesOf(const ParameterRecord& r) {
    return {r.mbMeasStart.str(), r.mbDisplayStart.str(), r.mbMeasEnd.str(), r.mbDisplayEnd.str(),
            r.funcCode == 1};
}

void Commit(const RangeValues& v, ParameterRecord& r) {
    r.mbMeasStart = v.measStart;
    r.mbDisplayStart = v.displayStart;
    r.mbMeasEnd = v.measEnd;
    r.mbDisplayEnd = v.displayEnd;
    r.funcCode = v.totalQuantity ? 1 : 0;
}

SensorValues SensorValuesOf(const ParameterRecord& r) {
    return {r.funcCode >= 1 && r.funcCode <= 3 ? static_cast<int>(r.funcCode) : 0};
}

void Commit(const SensorValues& v, ParameterRecord& r) {
    r.funcCode = v.sensor < 0 ? 0 : v.sensor;
}

SioValues SioValuesOf(const ParameterRecord& r) {
    return {r.sioBaudIndex <= kLastDeviceBaud ? r.sioBaudIndex : kDeviceBaud4800,
            SioSendingOf(r.sioMode, r.deviceType), r.sioSendCycle.str()};
}

void Commit(const SioValues& v, ParameterRecord& r) {
    r.sioSendCycle = v.sendCycle;
    r.sioBaudIndex = static_cast<std::uint8_t>(v.baud < 0 ? 0 : v.baud);
    r.sioMode = SioModeCode(v.sending, r.deviceType);
}

ClockValues ClockValuesOf(const ParameterRecord& r) {
    return {r.rtcMinute.str(), r.rtcHour.str(), r.rtcDay.str(),
            r.rtcMonth.str(),  r.rtcYear.str(), r.rtcWeekday <= kSaturday ? r.rtcWeekday : kMonday,
            r.rtcAuto == 1};
}

void Commit(const ClockValues& v, ParameterRecord& r) {
    if (v.weekday >= 0 && v.weekday <= kSaturday)
        r.rtcWeekday = static_cast<std::uint8_t>(v.weekday);
    r.rtcMinute = v.minute;
    r.rtcHour = v.hour;
    r.rtcDay = v.day;
    r.rtcMonth = v.month;
    r.rtcYear = v.year;
    r.rtcAuto = Flag(v.automatic);
}

CardValues CardValuesOf(const ParameterRecord& r) {
    return {r.daCardType == 1 || r.daCardType == 2 ? r.daCardType : 0};
}

void Commit(const CardValues& v, ParameterRecord& r) {
    // "SIO/RTC (410-232)", and no choice at all, is the serial/clock card.
    r.daCardType = v.card == 0 || v.card == 2 ? static_cast<std::uint8_t>(v.card) : 1;
}

MiscValues MiscValuesOf(const ParameterRecord& r) {
    return {r.soEncoderPulses.str(), r.soDisplayMode != 0, r.soCountDirection != 0};
}

void Commit(const MiscValues& v, ParameterRecord& r) {
    r.soEncoderPulses = v.encoderPulses;
    r.soDisplayMode = Flag(v.showsTime);
    r.soCountDirection = Flag(v.countsBackwards);
}

FamilyValues FamilyValuesOf(const ParameterRecord& r) {
    return {IsMainFamily(r.deviceType)};
}

void Commit(const FamilyValues& v, ParameterRecord& r) {
    r.deviceType = v.mainFamily ? kDeviceQvt410 : kDeviceQvt0xx;
}

PcPortValues PcPortValuesOf(const ApplicationState& s) {
    // Indices 1..4 and 6 have a button; 0 (150 baud on the device), 5 and
    // 7 and above show 4800.
    const int baud = s.baudIndex;
    return {s.portIndex <= 5 ? s.portIndex : 1,
            (baud >= 1 && baud <= 4) || baud == 6 ? baud - 1 : kPcBaudButton4800};
}

void Commit(const PcPortValues& v, ApplicationState& s) {
    s.baudIndex = static_cast<std::uint8_t>(v.baud + 1);
    s.portIndex = static_cast<std::uint8_t>(v.port);
}

ParallelPortValues ParallelPortValuesOf(const ApplicationState& s) {
    return {s.lptIndex == 1 || s.lptIndex == 2 ? s.lptIndex : 0};
}

void Commit(const ParallelPortValues& v, ApplicationState& s) {
    s.lptIndex = static_cast<std::uint8_t>(v.port);
}

void TakePcTime(const std::tm& local, ParameterRecord& r) {
    r.rtcWeekday = static_cast<std::uint8_t>(local.tm_wday);
    r.rtcDay = TwoPlaces(local.tm_mday);
    r.rtcMonth = TwoPlaces(local.tm_mon + 1);
    r.rtcYear = TwoPlaces(local.tm_year + 1900);
    r.rtcMinute = TwoPlaces(local.tm_min);
    r.rtcHour = TwoPlaces(local.tm_hour);
}

}  // namespace qvt
