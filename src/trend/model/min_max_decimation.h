#pragma once

#include <span>
#include <vector>

namespace qvt {

struct PlotPoint {
    double x = 0;
    double y = 0;
};

// Thins a long series for a chart of `columns` pixel columns across
// [xFrom, xTo]: of the points that fall into one column it keeps the lowest
// and the highest, in their order, so a spike of a single reading still
// shows and the drawn line never leaves the band the readings span. Points
// must come in ascending x; those outside the range count to the first or
// the last column. A series of at most two points a column comes back as it is.
std::vector<PlotPoint> DecimateMinMax(std::span<const PlotPoint> points, double xFrom, double xTo,
                                      int columns);

}  // namespace qvt
