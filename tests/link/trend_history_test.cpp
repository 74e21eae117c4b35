// The trend's history of received values and its CSV export.
#include <gtest/gtest.h>

#include "link/trend_csv.h"
#include "link/trend_history.h"
#include "support/clocks.h"

namespace qvt {
namespace {

using Kind = ReceivedTelegram::Kind;
using testing::FromLocalTime;
using testing::LocalTime;

ReceivedTelegram Short(const std::string& text) {
    return {Kind::kShort, text, text.substr(0, 1) + " " + text.substr(1)};
}

TEST(TrendHistory, KeepsTheNewestUpToItsCapInOrderOfTime) {
    TrendHistory history(3);
    const Clock::TimePoint start = testing::At(1000);
    for (int i = 1; i <= 5; ++i)
        history.Add(start + std::chrono::seconds(i), Short("+" + std::to_string(i)));
    ASSERT_EQ(history.size(), 3u);
    EXPECT_TRUE(history.capReached());
    EXPECT_EQ(history.dropped(), 2u);
    EXPECT_EQ(history[0].value, 3);
    EXPECT_EQ(history[2].value, 5);
    EXPECT_EQ(history.FirstAtOrAfter(start + std::chrono::milliseconds(3500)), 1u);
    // A clock set back does not put a telegram before the one received earlier.
    history.Add(start, Short("+6"));
    EXPECT_EQ(history[2].at, start + std::chrono::seconds(5));
    EXPECT_EQ(history.generation(), 6u);
}

TEST(TrendCsv, GermanSpreadsheetFormat) {
    struct Case {
        ReceivedTelegram telegram;
        const char* row;
    };
    const Case cases[] = {
        {{Kind::kLong27, "06.12.26 21:22:05+0012.34C", "+ 0012.34"},
         "06.12.2026 21:22:05,045;12,34;C;06.12.26 21:22:05+0012.34C\r\n"},
        {{Kind::kLong27, "06.12.26 21:22:05-0007.50\xB0", "- 0007.50"},
         "06.12.2026 21:22:05,045;-7,50;\xC2\xB0;06.12.26 21:22:05-0007.50\xC2\xB0\r\n"},
        {Short("-12.34"), "06.12.2026 21:22:05,045;-12,34;;-12.34\r\n"},
        {Short("+1234"), "06.12.2026 21:22:05,045;1234;;+1234\r\n"},
        {Short("+----"), "06.12.2026 21:22:05,045;;;+----\r\n"},  // no number: no value
        {Short("+1;\"2"), "06.12.2026 21:22:05,045;;;\"+1;\"\"2\"\r\n"},
    };
    const Clock::TimePoint at =
        FromLocalTime(LocalTime(2026, 12, 6, 21, 22, 5)) + std::chrono::milliseconds(45);
    for (const Case& c : cases) {
        TrendHistory history;
        history.Add(at, c.telegram);
        EXPECT_EQ(TrendCsvRow(history[0]), c.row);
    }
    EXPECT_EQ(TrendCsvHeader(), "\xEF\xBB\xBFZeit;Wert;Einheit;Telegramm\r\n");
}

}  // namespace
}  // namespace qvt
