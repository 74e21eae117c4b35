#include "trend/model/min_max_decimation.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace qvt {

std::vector<PlotPoint> DecimateMinMax(std::span<const PlotPoint> points, double xFrom, double xTo,
                                      int columns) {
    columns = std::max(columns, 1);
    if (points.size() <= 2 * static_cast<std::size_t>(columns) || !(xTo > xFrom))
        return {points.begin(), points.end()};
    const double perColumn = static_cast<double>(columns) / (xTo - xFrom);
    const auto columnOf = [&](double x) {
        const double column = std::floor((x - xFrom) * perColumn);
        return static_cast<int>(std::clamp(column, 0.0, static_cast<double>(columns - 1)));
    };

    std::vector<PlotPoint> kept;
    kept.reserve(2 * static_cast<std::size_t>(columns));
    std::size_t lowest = 0;
    std::size_t highest = 0;
    int column = columnOf(points[0].x);
    const auto keepColumn = [&] {
        kept.push_back(points[std::min(lowest, highest)]);
        if (lowest != highest)
            kept.push_back(points[std::max(lowest, highest)]);
    };
    for (std::size_t i = 1; i < points.size(); ++i) {
        const int here = columnOf(points[i].x);
        if (here != column) {
            keepColumn();
            column = here;
            lowest = highest = i;
            continue;
        }
        if (points[i].y < points[lowest].y)
            lowest = i;
        if (points[i].y > points[highest].y)
            highest = i;
    }
    keepColumn();
    return kept;
}

}  // namespace qvt
