#pragma once

#include <QObject>
#include <QString>
#include <optional>
#include <vector>

#include "core/min_max_decimation.h"
#include "core/switching_levels.h"

class QChart;
class QChartView;
class QDateTimeAxis;
class QLineSeries;
class QValueAxis;
class QWidget;

// The chart of the trend window: the measured values against local time,
// thinned to two points a pixel column, and the relays' switching points as
// horizontal lines. A range the user drags out on the time axis (a right
// click zooms out again) is reported, so the window can show it.
class TrendPlot : public QObject {
    Q_OBJECT
  public:
    struct YRange {
        double low = 0;
        double high = 1;
    };

    explicit TrendPlot(QWidget* parent);

    QChartView* view() const { return view_; }
    QLineSeries* values() const { return values_; }
    QLineSeries* relayLine(int relay) const { return relays_[relay == 2 ? 1 : 0]; }

    // Shows the points over [from, to] (milliseconds since the epoch). The y
    // axis spans the values and the switching points, or `fixed` when given.
    void Draw(const std::vector<qvt::PlotPoint>& points, double from, double to,
              const std::vector<qvt::SwitchingLevel>& levels, const QString& unit,
              std::optional<YRange> fixed);
    YRange yRange() const;
    // Pixel columns of the plot area: how many points are worth drawing.
    int columns() const;

  signals:
    void userChoseRange(double from, double to);

  private:
    void ShowLevels(const std::vector<qvt::SwitchingLevel>& levels, double from, double to,
                    const QString& unit);
    static YRange AutoRange(const std::vector<qvt::PlotPoint>& points,
                            const std::vector<qvt::SwitchingLevel>& levels);

    QChartView* view_ = nullptr;
    QChart* chart_ = nullptr;
    QLineSeries* values_ = nullptr;
    QLineSeries* relays_[2] = {nullptr, nullptr};
    QDateTimeAxis* time_ = nullptr;
    QValueAxis* value_ = nullptr;
    bool drawing_ = false;
};
