#include <QCoreApplication>
#include <QLibrary>

#include "trend/trend_chart.h"

namespace qvt::trend {

// The module is installed beside the program's libraries; the build tree
// keeps the same relative place, so the program and its tests find it there.
std::unique_ptr<TrendChart> MakeTrendChart(QWidget* parent, QString* error) {
    static TrendChartFactory factory = nullptr;
    if (!factory) {
        // Never unloaded: the charts made by it live until the program ends.
        QLibrary module(QCoreApplication::applicationDirPath() + "/" QVT_TREND_CHART_FROM_BINDIR
                                                                 "/" QVT_TREND_CHART_FILE);
        factory = reinterpret_cast<TrendChartFactory>(module.resolve(QVT_TREND_CHART_FACTORY));
        if (!factory) {
            if (error)
                *error = module.errorString();
            return nullptr;
        }
    }
    return std::unique_ptr<TrendChart>(factory(parent));
}

}  // namespace qvt::trend
