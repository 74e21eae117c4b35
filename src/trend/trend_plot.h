#pragma once

#include <QObject>
#include <QString>
#include <optional>
#include <vector>

#include "trend/trend_chart.h"

class QChart;
class QChartView;
class QDateTimeAxis;
class QLineSeries;
class QValueAxis;
class QWidget;

namespace qvt::trend {

// The chart of the trend window, in the chart module: the measured values
// against local time, a line for each run of telegrams without a gap, and
// the relays' switching points as horizontal lines. A range the user drags
// out on the time axis (a right click zooms out again) is reported, so the
// window can show it.
class TrendPlot : public QObject, public TrendChart {
  public:
    explicit TrendPlot(QWidget* parent);

    QWidget* view() const override;
    void Draw(const Runs& runs, double from, double to,
              const std::vector<qvt::SwitchingLevel>& levels, const QString& unit,
              std::optional<YRange> fixed) override;
    YRange yRange() const override;
    int columns() const override;
    void SetRangeChosenHandler(std::function<void(double from, double to)> handler) override {
        rangeChosen_ = std::move(handler);
    }
    std::vector<QLineSeries*> valueLines() const override;
    QLineSeries* relayLine(int relay) const override { return relays_[relay == 2 ? 1 : 0]; }

  private:
    QLineSeries* RunLine(std::size_t run);
    void ShowLevels(const std::vector<qvt::SwitchingLevel>& levels, double from, double to,
                    const QString& unit);
    static YRange AutoRange(const Runs& runs, const std::vector<qvt::SwitchingLevel>& levels);

    QChartView* view_ = nullptr;
    QChart* chart_ = nullptr;
    // One line a run; those beyond the runs drawn are hidden and kept for reuse.
    std::vector<QLineSeries*> values_;
    std::size_t runsShown_ = 0;
    QLineSeries* relays_[2] = {nullptr, nullptr};
    QDateTimeAxis* time_ = nullptr;
    QValueAxis* value_ = nullptr;
    bool drawing_ = false;
    std::function<void(double, double)> rangeChosen_;
};

}  // namespace qvt::trend
