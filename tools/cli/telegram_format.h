#pragma once

#include <chrono>
#include <string>
#include <string_view>

#include "core/measured_value.h"

namespace cli {

enum class OutputFormat { kText, kCsv, kJsonLines };

// 2026-12-06T21:22:05.123+01:00: local time with milliseconds and its offset.
std::string IsoLocalTime(std::chrono::system_clock::time_point when);

// The header line of the format, or an empty text when it has none.
std::string FormatHeader(OutputFormat format);

// One telegram as one output line (without the line break). The text is the
// telegram's bytes (Latin-1); the number keeps the decimals the device sent.
std::string FormatTelegram(OutputFormat format, const std::string& time,
                           const qvt::MeasuredValue& value, std::string_view text);

}  // namespace cli
