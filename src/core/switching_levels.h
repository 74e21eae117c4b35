#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "core/parameter_choices.h"
#include "core/parameter_record.h"

namespace qvt {

// Where a relay switches, in the units the device displays.
struct SwitchingLevel {
    int relay = 0;  // 1 or 2, as the switching point that drives it
    double value = 0;
    friend bool operator==(const SwitchingLevel&, const SwitchingLevel&) = default;
};

// A threshold text as the switching points dialog keeps it (a sign position
// and four digits, " 0150" or "-0150") read as the display would show it:
// the digits with the display's decimal point. Nothing when the text is no
// such number.
std::optional<double> SwitchingThreshold(std::string_view text, DecimalPoint point);

// The active switching points of the record, with the decimal point of its
// display settings. Every device family of the record has both relays (the
// dialog is the same for all), so only "Aktiv" and a readable threshold decide.
std::vector<SwitchingLevel> ActiveSwitchingLevels(const ParameterRecord& record);

}  // namespace qvt
