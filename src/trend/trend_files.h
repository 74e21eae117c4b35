#pragma once

#include <QString>

#include "trend/model/trend_history.h"

class QWidget;

namespace qvt::trend {

// Names offered in the save dialogs: the moment of saving, so exports of one
// session do not overwrite each other.
QString CsvFileName();
QString PngFileName();

// Write the whole file beside its final name and put it in place only when
// complete, so an interrupted save never leaves half a file under the name.
bool WriteCsv(const QString& path, const TrendHistory& history);
bool WritePng(const QString& path, QWidget& chart);

}  // namespace qvt::trend
