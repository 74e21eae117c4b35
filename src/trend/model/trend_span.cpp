#include "trend/model/trend_span.h"

#include <algorithm>

#include "trend/model/trend_csv.h"

namespace qvt {
namespace {

// The median spacing of the telegrams of the span; zero for fewer than two.
Clock::TimePoint::duration UsualInterval(const TrendHistory& history, TrendSpan span) {
    if (span.end - span.first < 2)
        return Clock::TimePoint::duration::zero();
    std::vector<Clock::TimePoint::duration> spacings;
    spacings.reserve(span.end - span.first - 1);
    for (std::size_t i = span.first + 1; i < span.end; ++i)
        spacings.push_back(history[i].at - history[i - 1].at);
    const auto middle = spacings.begin() + static_cast<std::ptrdiff_t>(spacings.size() / 2);
    std::nth_element(spacings.begin(), middle, spacings.end());
    return *middle;
}

}  // namespace

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
        const ValueStatistics& before = summary.values;
        // decimals is a small number kept in a signed char, not a character.
        const int decimals = sample.decimals;  // NOLINT(bugprone-signed-char-misuse)
        if (before.count() == 0 || sample.value < before.minimum())
            summary.minimumDecimals = decimals;
        if (before.count() == 0 || sample.value > before.maximum())
            summary.maximumDecimals = decimals;
        summary.decimals = std::max<int>(summary.decimals, sample.decimals);
        summary.values.Add(sample.value);
        if (!sample.unit.empty())
            summary.unit = sample.unit.str();
    }
    return summary;
}

std::string StatisticsText(const SpanSummary& summary) {
    const ValueStatistics& v = summary.values;
    std::string text = "Anzahl: " + std::to_string(v.count());
    if (v.count() > 0) {
        const std::string unit = summary.unit.empty() ? "" : " " + summary.unit;
        const int finer = summary.decimals + 1;
        text += "   Minimum: " + GermanDecimal(v.minimum(), summary.minimumDecimals) + unit +
                "   Maximum: " + GermanDecimal(v.maximum(), summary.maximumDecimals) + unit +
                "   Mittelwert: " + GermanDecimal(v.mean(), finer) + unit +
                "   Standardabweichung: " + GermanDecimal(v.standardDeviation(), finer) + unit;
    }
    if (summary.withoutNumber > 0)
        text += "   ohne Zahl: " + std::to_string(summary.withoutNumber);
    return text;
}

std::vector<std::vector<PlotPoint>> PlotRunsOf(const TrendHistory& history, TrendSpan span) {
    const Clock::TimePoint::duration gap = std::max<Clock::TimePoint::duration>(
        kGapIntervals * UsualInterval(history, span), kShortestGap);
    std::vector<std::vector<PlotPoint>> runs(1);
    bool broken = false;
    for (std::size_t i = span.first; i < span.end; ++i) {
        const TrendSample& sample = history[i];
        // A telegram without a number still ends a gap: the break stays
        // before the next number.
        if (i > span.first && (sample.afterInterruption || sample.at - history[i - 1].at > gap))
            broken = true;
        if (!sample.hasNumber)
            continue;
        if (broken && !runs.back().empty())
            runs.emplace_back();
        broken = false;
        runs.back().push_back({PlotTimeOf(sample.at), sample.value});
    }
    if (runs.back().empty())
        runs.pop_back();
    return runs;
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
