#include "link/trend_span.h"

namespace qvt {

TrendSpan LatestSpan(const TrendHistory& history, std::optional<std::chrono::milliseconds> length) {
    if (!length || history.size() == 0)
        return {0, history.size()};
    const Clock::TimePoint newest = history[history.size() - 1].at;
    return {history.FirstAtOrAfter(newest - *length), history.size()};
}

TrendSpan SpanBetween(const TrendHistory& history, Clock::TimePoint from, Clock::TimePoint to) {
    return {history.FirstAtOrAfter(from),
            history.FirstAtOrAfter(to + std::chrono::system_clock::duration(1))};
}

SpanSummary Summarise(const TrendHistory& history, TrendSpan span) {
    SpanSummary summary;
    for (std::size_t i = span.first; i < span.end; ++i) {
        const TrendSample& sample = history[i];
        if (!sample.hasNumber) {
            ++summary.withoutNumber;
            continue;
        }
        summary.values.Add(sample.value);
        if (!sample.unit.empty())
            summary.unit = sample.unit.str();
    }
    return summary;
}

std::vector<PlotPoint> PlotPointsOf(const TrendHistory& history, TrendSpan span) {
    std::vector<PlotPoint> points;
    points.reserve(span.end - span.first);
    for (std::size_t i = span.first; i < span.end; ++i) {
        const TrendSample& sample = history[i];
        if (sample.hasNumber)
            points.push_back({PlotTimeOf(sample.at), sample.value});
    }
    return points;
}

double PlotTimeOf(Clock::TimePoint at) {
    return static_cast<double>(
        std::chrono::duration_cast<std::chrono::milliseconds>(at.time_since_epoch()).count());
}

Clock::TimePoint TimeOfPlot(double x) {
    return Clock::TimePoint(std::chrono::duration_cast<Clock::TimePoint::duration>(
        std::chrono::duration<double, std::milli>(x)));
}

}  // namespace qvt
