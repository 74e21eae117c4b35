// The exported values opened by LibreOffice Calc as a German user opens them:
// its import dialog as it comes (comma, semicolon and tab as separators, '"'
// around texts, no special numbers), German number format. Calc's own
// reading is the reference: it converts the file to a flat spreadsheet
// document, whose cells say what each became.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <algorithm>
#include <vector>

#include "support/clocks.h"
#include "trend/model/trend_csv.h"
#include "trend/model/trend_history.h"

namespace qvt {
namespace {

using Kind = ReceivedTelegram::Kind;

struct Cell {
    QString type;  // "float", "string", or empty for an empty cell
    QString value;
    QString text;
};
using Row = std::vector<Cell>;

// The rows of the first table of a flat ODF spreadsheet.
std::vector<Row> ReadTable(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    std::vector<Row> rows;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"table-row") {
            rows.emplace_back();
        } else if (xml.name() == u"table-cell" && !rows.empty()) {
            const QXmlStreamAttributes a = xml.attributes();
            const int repeated = a.hasAttribute("table:number-columns-repeated")
                                     ? a.value("table:number-columns-repeated").toInt()
                                     : 1;
            Cell cell{
                a.value("office:value-type").toString(), a.value("office:value").toString(), {}};
            for (int i = 0; i < std::min(repeated, 64); ++i) rows.back().push_back(cell);
        } else if (xml.name() == u"p" && !rows.empty() && !rows.back().empty()) {
            rows.back().back().text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        }
    }
    for (Row& row : rows) {  // without the empty rest of each row
        while (!row.empty() && row.back().type.isEmpty()) row.pop_back();
    }
    return rows;
}

TEST(TrendCsvInCalc, DefaultImportKeepsEveryFieldWhole) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const Clock::TimePoint at = testing::FromLocalTime(testing::LocalTime(2026, 12, 6, 21, 22, 5)) +
                                std::chrono::milliseconds(45);
    TrendHistory history;
    history.Add(at, {Kind::kLong27, "06.12.26 21:22:05+0012.34C", "+ 0012.34"});
    history.Add(at + std::chrono::seconds(1),
                {Kind::kLong27, "06.12.26 21:22:06-0007.50\xB0", "- 0007.50"});
    history.Add(at + std::chrono::milliseconds(1500), {Kind::kShort, "-1.250", "- 1.250"});
    history.Add(at + std::chrono::seconds(2), {Kind::kShort, "+----", "+ ----"});
    const QString csv = dir.filePath("Messwerte.csv");
    {
        QFile file(csv);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        const std::string text = TrendCsv(history);
        file.write(text.data(), static_cast<qint64>(text.size()));
    }

    QProcess calc;
    calc.setWorkingDirectory(dir.path());
    calc.start(QVT_SOFFICE, {"-env:UserInstallation=file://" + dir.filePath("profile"),
                             "--headless", "--infilter=CSV:44/59/9,34,76,1,,1031,false,false",
                             "--convert-to", "fods", "--outdir", dir.path(), csv});
    ASSERT_TRUE(calc.waitForFinished(170'000)) << calc.errorString().toStdString();
    const std::vector<Row> rows = ReadTable(dir.filePath("Messwerte.fods"));
    ASSERT_EQ(rows.size(), 5u) << calc.readAllStandardError().toStdString();

    struct Expected {
        const char* time;
        const char* value;  // as Calc stores the number; empty: no number
        const char* unit;
    };
    const Expected expected[] = {
        {"06.12.2026 21:22:05,045", "12.34", "C"},
        {"06.12.2026 21:22:06,045", "-7.5", "\xC2\xB0"},
        {"06.12.2026 21:22:06,545", "-1.25", ""},
        {"06.12.2026 21:22:07,045", "", ""},
    };
    EXPECT_EQ(rows[0].size(), 4u);
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const Row& row = rows[i + 1];
        ASSERT_EQ(row.size(), 4u) << "row " << i + 1;  // no field split at a comma
        EXPECT_EQ(row[0].type, "string");              // the time as written, seconds and all
        EXPECT_EQ(row[0].text, expected[i].time);
        EXPECT_EQ(row[1].type, *expected[i].value ? "float" : "") << expected[i].time;
        EXPECT_EQ(row[1].value, expected[i].value);
        EXPECT_EQ(row[2].text, QString::fromUtf8(expected[i].unit));
    }
    EXPECT_EQ(rows[1][3].text, "06.12.26 21:22:05+0012.34C");
}

}  // namespace
}  // namespace qvt
