#include "trend/trend_files.h"

#include <QDateTime>
#include <QPixmap>
#include <QSaveFile>
#include <QWidget>

#include "trend/model/trend_csv.h"

namespace qvt::trend {
namespace {

QString Stamped(const char* prefix, const char* suffix) {
    return QString("%1_%2.%3")
        .arg(prefix, QDateTime::currentDateTime().toString("yyyyMMdd_hhmmss"), suffix);
}

}  // namespace

QString CsvFileName() {
    return Stamped("Messwerte", "csv");
}

QString PngFileName() {
    return Stamped("Messwertverlauf", "png");
}

bool WriteCsv(const QString& path, const TrendHistory& history) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const std::string csv = TrendCsv(history);
    if (file.write(csv.data(), static_cast<qint64>(csv.size())) !=
        static_cast<qint64>(csv.size())) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool WritePng(const QString& path, QWidget& chart) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (!chart.grab().save(&file, "PNG")) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

}  // namespace qvt::trend
