#include "core/switching_levels.h"

#include "core/measured_value.h"

namespace qvt {
namespace {

int DecimalsOf(DecimalPoint point) {
    switch (point) {
        case DecimalPoint::kThousands:
            return 3;
        case DecimalPoint::kHundreds:
            return 2;
        case DecimalPoint::kTens:
            return 1;
        case DecimalPoint::kNone:
            break;
    }
    return 0;
}

}  // namespace

std::optional<double> SwitchingThreshold(std::string_view text, DecimalPoint point) {
    // The threshold carries its digits only; a point typed into it is no
    // threshold the device could take.
    if (text.find_first_of(".,") != std::string_view::npos)
        return std::nullopt;
    const std::optional<double> digits = ParseMeasuredValue(text);
    if (!digits)
        return std::nullopt;
    constexpr double kScale[] = {1, 10, 100, 1000};
    return *digits / kScale[DecimalsOf(point)];
}

std::vector<SwitchingLevel> ActiveSwitchingLevels(const ParameterRecord& record) {
    const DecimalPoint point = DecimalPointOf(record.azDecimalPoint, record.deviceType);
    struct Point {
        int relay;
        std::uint8_t active;
        std::string_view threshold;
    };
    const Point points[] = {{1, record.sp1Active, record.sp1Setpoint.view()},
                            {2, record.sp2Active, record.sp2Setpoint.view()}};
    std::vector<SwitchingLevel> levels;
    for (const Point& p : points) {
        if (!p.active)
            continue;
        if (const std::optional<double> value = SwitchingThreshold(p.threshold, point))
            levels.push_back({p.relay, *value});
    }
    return levels;
}

}  // namespace qvt
