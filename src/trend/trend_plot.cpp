#include "trend/trend_plot.h"

#include <QChart>
#include <QChartView>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLocale>
#include <QValueAxis>
#include <algorithm>

namespace qvt::trend {

namespace {

QLineSeries* RelayLine(QChart& chart, QColor colour) {
    auto* line = new QLineSeries(&chart);
    QPen pen(colour);
    pen.setWidth(2);
    pen.setStyle(Qt::DashLine);
    line->setPen(pen);
    chart.addSeries(line);
    return line;
}

}  // namespace

// Owned by the window through the interface, not by the Qt parent.
TrendPlot::TrendPlot(QWidget* parent) {
    chart_ = new QChart();
    chart_->setObjectName("TrendChart");
    chart_->legend()->setAlignment(Qt::AlignBottom);
    chart_->setLocalizeNumbers(true);
    chart_->setLocale(QLocale(QLocale::German, QLocale::Germany));

    values_.push_back(new QLineSeries(chart_));
    values_[0]->setName("Messwert");
    chart_->addSeries(values_[0]);
    relays_[0] = RelayLine(*chart_, QColor(200, 0, 0));
    relays_[1] = RelayLine(*chart_, QColor(0, 130, 0));

    time_ = new QDateTimeAxis(chart_);
    time_->setFormat("hh:mm:ss");
    time_->setTitleText("Zeit");
    value_ = new QValueAxis(chart_);
    chart_->addAxis(time_, Qt::AlignBottom);
    chart_->addAxis(value_, Qt::AlignLeft);
    for (QLineSeries* series : {values_[0], relays_[0], relays_[1]}) {
        series->attachAxis(time_);
        series->attachAxis(value_);
    }

    view_ = new QChartView(chart_, parent);
    view_->setObjectName("TrendChartView");
    view_->setRenderHint(QPainter::Antialiasing, false);
    view_->setRubberBand(QChartView::HorizontalRubberBand);
    connect(time_, &QDateTimeAxis::rangeChanged, this, [this](QDateTime from, QDateTime to) {
        if (!drawing_ && rangeChosen_)
            rangeChosen_(from.toMSecsSinceEpoch(), to.toMSecsSinceEpoch());
    });
}

QWidget* TrendPlot::view() const {
    return view_;
}

std::vector<QLineSeries*> TrendPlot::valueLines() const {
    return {values_.begin(), values_.begin() + static_cast<std::ptrdiff_t>(runsShown_)};
}

// The lines after the first look like it and have no legend entry of their own.
QLineSeries* TrendPlot::RunLine(std::size_t run) {
    if (run < values_.size())
        return values_[run];
    auto* line = new QLineSeries(chart_);
    chart_->addSeries(line);
    line->setPen(values_[0]->pen());
    line->attachAxis(time_);
    line->attachAxis(value_);
    for (QLegendMarker* marker : chart_->legend()->markers(line)) marker->setVisible(false);
    values_.push_back(line);
    return line;
}

int TrendPlot::columns() const {
    return std::max(1, static_cast<int>(chart_->plotArea().width()));
}

void TrendPlot::Draw(const Runs& runs, double from, double to,
                     const std::vector<qvt::SwitchingLevel>& levels, const QString& unit,
                     std::optional<YRange> fixed) {
    drawing_ = true;
    if (!(to > from))
        to = from + 1000;  // one telegram or none: a second around it
    // The first line stays, empty when there is nothing, so the legend keeps it.
    runsShown_ = std::max<std::size_t>(runs.size(), 1);
    for (std::size_t run = 0; run < values_.size() || run < runsShown_; ++run) {
        QLineSeries* line = RunLine(run);
        QList<QPointF> shown;
        if (run < runs.size()) {
            shown.reserve(static_cast<qsizetype>(runs[run].size()));
            for (const qvt::PlotPoint& p : runs[run]) shown.append(QPointF(p.x, p.y));
        }
        line->replace(shown);
        line->setVisible(run < runsShown_);
    }
    for (QLegendMarker* marker : chart_->legend()->markers(values_[0])) marker->setVisible(true);
    values_[0]->setName(unit.isEmpty() ? QString("Messwert") : QString("Messwert (%1)").arg(unit));
    time_->setRange(QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(from)),
                    QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(to)));
    // Spans of more than a day show the date as well.
    time_->setFormat(to - from > 86'400'000.0 ? "dd.MM. hh:mm" : "hh:mm:ss");
    const YRange y =
        fixed ? *fixed : AutoRange(runs, levels);  // the thinned points keep every extreme
    value_->setRange(y.low, y.high);
    if (!fixed)
        value_->applyNiceNumbers();  // ticks at round values
    ShowLevels(levels, from, to, unit);
    drawing_ = false;
}

TrendPlot::YRange TrendPlot::yRange() const {
    return {value_->min(), value_->max()};
}

// The values' band and the switching points with a margin of 5 %, so a line
// at the edge stays visible; a flat reading gets a band of its own.
TrendPlot::YRange TrendPlot::AutoRange(const Runs& runs,
                                       const std::vector<qvt::SwitchingLevel>& levels) {
    std::vector<double> ys;
    for (const std::vector<qvt::PlotPoint>& run : runs)
        for (const qvt::PlotPoint& p : run) ys.push_back(p.y);
    for (const qvt::SwitchingLevel& level : levels) ys.push_back(level.value);
    if (ys.empty())
        return {0, 1};
    const auto [low, high] = std::minmax_element(ys.begin(), ys.end());
    const double margin =
        *high > *low ? (*high - *low) * 0.05 : std::max(1.0, std::abs(*low) * 0.05);
    return {*low - margin, *high + margin};
}

void TrendPlot::ShowLevels(const std::vector<qvt::SwitchingLevel>& levels, double from, double to,
                           const QString& unit) {
    const QLocale german(QLocale::German, QLocale::Germany);
    for (int relay = 1; relay <= 2; ++relay) {
        QLineSeries* line = relayLine(relay);
        const auto level =
            std::find_if(levels.begin(), levels.end(),
                         [relay](const qvt::SwitchingLevel& l) { return l.relay == relay; });
        const bool shown = level != levels.end();
        if (shown) {
            line->replace({QPointF(from, level->value), QPointF(to, level->value)});
            line->setName(QString("Relais %1: %2 %3")
                              .arg(relay)
                              .arg(german.toString(level->value, 'g', 6), unit)
                              .trimmed());
        }
        line->setVisible(shown);
        for (QLegendMarker* marker : chart_->legend()->markers(line)) marker->setVisible(shown);
    }
}

}  // namespace qvt::trend
