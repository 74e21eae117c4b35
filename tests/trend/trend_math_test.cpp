// The trend window's arithmetic: statistics, thinning, switching thresholds.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "core/switching_levels.h"
#include "trend/model/min_max_decimation.h"
#include "trend/model/value_statistics.h"

namespace qvt {
namespace {

TEST(ValueStatistics, Table) {
    struct Case {
        std::vector<double> values;
        std::size_t count;
        double minimum, maximum, mean, deviation;
    };
    const Case cases[] = {
        {{}, 0, 0, 0, 0, 0},
        {{-3.5}, 1, -3.5, -3.5, -3.5, 0},
        {{2, 4, 4, 4, 5, 5, 7, 9}, 8, 2, 9, 5, std::sqrt(32.0 / 7)},
        // Close together far from zero: a sum of squares loses every digit here.
        {{1e9 + 0.01, 1e9 + 0.02, 1e9 + 0.03}, 3, 1e9 + 0.01, 1e9 + 0.03, 1e9 + 0.02, 0.01},
        {{-1, 1}, 2, -1, 1, 0, std::sqrt(2.0)},
    };
    for (const Case& c : cases) {
        ValueStatistics s;
        for (const double v : c.values) s.Add(v);
        EXPECT_EQ(s.count(), c.count);
        EXPECT_DOUBLE_EQ(s.minimum(), c.minimum);
        EXPECT_DOUBLE_EQ(s.maximum(), c.maximum);
        EXPECT_DOUBLE_EQ(s.mean(), c.mean);
        EXPECT_NEAR(s.standardDeviation(), c.deviation, 1e-6);
    }
}

// Every column's lowest and highest reading survives, in order, at most two a column.
TEST(MinMaxDecimation, KeepsEveryExtremeOfEveryColumn) {
    std::mt19937 random(14);
    std::normal_distribution<double> step(0, 1);
    for (const int columns : {1, 7, 300}) {
        std::vector<PlotPoint> points;
        double y = 0;
        for (int i = 0; i < 172'800; ++i) {
            y += step(random);
            // Single-reading spikes, as a relay switching makes them.
            points.push_back({i * 500.0, i % 9973 == 0 ? y + 1000 * (i % 2 ? 1 : -1) : y});
        }
        const double from = points.front().x;
        const double to = points.back().x;
        const std::vector<PlotPoint> kept = DecimateMinMax(points, from, to, columns);
        ASSERT_LE(kept.size(), 2u * columns);
        EXPECT_TRUE(
            std::is_sorted(kept.begin(), kept.end(),
                           [](const PlotPoint& a, const PlotPoint& b) { return a.x < b.x; }));
        const auto columnOf = [&](double x) {
            return std::min(columns - 1, static_cast<int>((x - from) * columns / (to - from)));
        };
        std::vector<double> low(columns, INFINITY), high(columns, -INFINITY);
        for (const PlotPoint& p : points) {
            low[columnOf(p.x)] = std::min(low[columnOf(p.x)], p.y);
            high[columnOf(p.x)] = std::max(high[columnOf(p.x)], p.y);
        }
        for (int c = 0; c < columns; ++c) {
            const auto has = [&](double value) {
                return std::any_of(kept.begin(), kept.end(), [&](const PlotPoint& p) {
                    return columnOf(p.x) == c && p.y == value;
                });
            };
            EXPECT_TRUE(has(low[c]) && has(high[c])) << "column " << c << " of " << columns;
        }
    }
}

TEST(MinMaxDecimation, ShortSeriesComeBackWhole) {
    const std::vector<PlotPoint> points = {{0, 1}, {1, 5}, {2, 3}, {3, 4}};
    const std::vector<PlotPoint> kept = DecimateMinMax(points, 0, 3, 2);
    ASSERT_EQ(kept.size(), points.size());
    for (std::size_t i = 0; i < kept.size(); ++i) EXPECT_EQ(kept[i].y, points[i].y);
}

TEST(SwitchingThreshold, TextsWithTheDisplaysPoint) {
    struct Case {
        const char* text;
        DecimalPoint point;
        std::optional<double> value;
    };
    const Case cases[] = {
        {" 0150", DecimalPoint::kNone, 150},         {"-0150", DecimalPoint::kTens, -15},
        {"1234", DecimalPoint::kThousands, 1.234},   {"0000", DecimalPoint::kHundreds, 0},
        {"12.5", DecimalPoint::kNone, std::nullopt}, {"12a4", DecimalPoint::kNone, std::nullopt},
        {"", DecimalPoint::kNone, std::nullopt},
    };
    for (const Case& c : cases) {
        const std::optional<double> value = SwitchingThreshold(c.text, c.point);
        ASSERT_EQ(value.has_value(), c.value.has_value()) << c.text;
        if (value) {
            EXPECT_DOUBLE_EQ(*value, *c.value) << c.text;
        }
    }
}

// Only active points show; the counter family codes "X . XXX" as 3.
TEST(SwitchingThreshold, ActiveLevelsOfTheRecord) {
    ParameterRecord record;
    record.deviceType = kDeviceQvt0xx;
    record.azDecimalPoint = 3;
    record.sp1Setpoint = "2500";
    record.sp2Setpoint = "-0100";
    record.sp2Active = 1;
    EXPECT_EQ(ActiveSwitchingLevels(record), (std::vector<SwitchingLevel>{{2, -0.1}}));
    record.sp1Active = 1;
    record.deviceType = kDeviceQvt410;  // code 3 is "XXX . X" here
    EXPECT_EQ(ActiveSwitchingLevels(record), (std::vector<SwitchingLevel>{{1, 250}, {2, -10}}));
}

}  // namespace
}  // namespace qvt
