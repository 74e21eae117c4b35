#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "core/switching_levels.h"
#include "trend/model/min_max_decimation.h"

class QLineSeries;
class QWidget;

namespace qvt::trend {

// The chart of the trend window. It is drawn with Qt Charts, which brings
// OpenGL and some megabytes with it; most sessions never open the window, so
// the chart lives in a module of its own that is loaded when the window is
// first opened, and the program starts without it. This interface is all the
// window knows of it.
class TrendChart {
  public:
    struct YRange {
        double low = 0;
        double high = 1;
    };
    // Lines to draw, each in ascending time; nothing is drawn between two.
    using Runs = std::vector<std::vector<qvt::PlotPoint>>;

    virtual ~TrendChart() = default;

    // The widget to place in the window; owned by the window's widget tree.
    virtual QWidget* view() const = 0;
    // Shows the runs over [from, to] (milliseconds since the epoch). The y
    // axis spans the values and the switching points, or `fixed` when given.
    virtual void Draw(const Runs& runs, double from, double to,
                      const std::vector<qvt::SwitchingLevel>& levels, const QString& unit,
                      std::optional<YRange> fixed) = 0;
    virtual YRange yRange() const = 0;
    // Pixel columns of the plot area: how many points are worth drawing.
    virtual int columns() const = 0;
    // Called with a range the user dragged out on the time axis.
    virtual void SetRangeChosenHandler(std::function<void(double from, double to)> handler) = 0;

    // The lines of the measured values as drawn, one a run, and the relays'
    // switching lines.
    virtual std::vector<QLineSeries*> valueLines() const = 0;
    virtual QLineSeries* relayLine(int relay) const = 0;
};

// Loads the chart module on first use and makes a chart for `parent`. Null
// when the module cannot be loaded; `error` then says why.
std::unique_ptr<TrendChart> MakeTrendChart(QWidget* parent, QString* error);

// The module's one entry point, looked up by this name.
#define QVT_TREND_CHART_FACTORY "qvtMakeTrendChart"
using TrendChartFactory = TrendChart* (*)(QWidget* parent);

}  // namespace qvt::trend
