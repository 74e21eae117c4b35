#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/min_max_decimation.h"
#include "core/value_statistics.h"
#include "link/trend_history.h"

namespace qvt {

// The telegrams [first, end) of a history that a view shows.
struct TrendSpan {
    std::size_t first = 0;
    std::size_t end = 0;
};

// The last `length` up to the newest telegram; everything without a length.
TrendSpan LatestSpan(const TrendHistory& history, std::optional<std::chrono::milliseconds> length);
// The telegrams received from `from` to `to`, both included.
TrendSpan SpanBetween(const TrendHistory& history, Clock::TimePoint from, Clock::TimePoint to);

// What the statistics line says about a span: the values that are numbers,
// how many telegrams held none, and the unit of the newest one that had one.
struct SpanSummary {
    ValueStatistics values;
    std::size_t withoutNumber = 0;
    std::string unit;
};
SpanSummary Summarise(const TrendHistory& history, TrendSpan span);

// The numbers of the span against their time in milliseconds since the epoch.
std::vector<PlotPoint> PlotPointsOf(const TrendHistory& history, TrendSpan span);
double PlotTimeOf(Clock::TimePoint at);
Clock::TimePoint TimeOfPlot(double x);

}  // namespace qvt
