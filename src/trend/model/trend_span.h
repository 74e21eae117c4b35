#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "trend/model/min_max_decimation.h"
#include "trend/model/trend_history.h"
#include "trend/model/value_statistics.h"

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
// The decimals are those the device sent: of the telegram that brought the
// minimum, of the one that brought the maximum, and the most of any.
struct SpanSummary {
    ValueStatistics values;
    std::size_t withoutNumber = 0;
    std::string unit;
    int minimumDecimals = 0;
    int maximumDecimals = 0;
    int decimals = 0;
};
SpanSummary Summarise(const TrendHistory& history, TrendSpan span);

// The statistics line of the trend window, numbers in German notation:
// minimum and maximum with the decimals their telegrams had, mean and
// standard deviation with one more than the most any telegram had (more
// would claim a precision the device does not have).
std::string StatisticsText(const SpanSummary& summary);

// A pause longer than this many of the usual intervals between telegrams
// (their median over the span), and at least kShortestGap, is a gap: the
// device stopped sending or the connection was down. Shorter ones are the
// jitter of the device, the adapter and the PC.
inline constexpr int kGapIntervals = 5;
inline constexpr std::chrono::milliseconds kShortestGap{1000};

// The numbers of the span against their time in milliseconds since the
// epoch, as runs to be drawn as separate lines: a gap or a lost connection
// starts a new run, so no line is drawn across a time without telegrams.
std::vector<std::vector<PlotPoint>> PlotRunsOf(const TrendHistory& history, TrendSpan span);
double PlotTimeOf(Clock::TimePoint at);
Clock::TimePoint TimeOfPlot(double x);

}  // namespace qvt
