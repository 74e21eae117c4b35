// The entry point of the chart module, which the trend window loads.
#include "trend/trend_chart.h"
#include "trend/trend_plot.h"

extern "C" Q_DECL_EXPORT qvt::trend::TrendChart* qvtMakeTrendChart(QWidget* parent) {
    return new qvt::trend::TrendPlot(parent);
}
