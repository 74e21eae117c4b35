// The trend's history of received values and its CSV export.
#include <gtest/gtest.h>

#include "support/clocks.h"
#include "trend/model/trend_csv.h"
#include "trend/model/trend_history.h"
#include "trend/model/trend_span.h"

namespace qvt {
namespace {

using Kind = ReceivedTelegram::Kind;
using testing::FromLocalTime;
using testing::LocalTime;

ReceivedTelegram Short(const std::string& text) {
    return {Kind::kShort, text, text.substr(0, 1) + " " + text.substr(1)};
}

// A telegram of the 27-byte form with its value field ("+0013.65") and unit C.
ReceivedTelegram Long(const std::string& value) {
    return {Kind::kLong27, "06.12.26 21:22:05" + value + "C",
            value.substr(0, 1) + " " + value.substr(1)};
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
         "\"06.12.2026 21:22:05,045\";\"12,34\";\"C\";\"06.12.26 21:22:05+0012.34C\"\r\n"},
        {{Kind::kLong27, "06.12.26 21:22:05-0007.50\xB0", "- 0007.50"},
         "\"06.12.2026 21:22:05,045\";\"-7,50\";\"\xC2\xB0\";\"06.12.26 "
         "21:22:05-0007.50\xC2\xB0\"\r\n"},
        {Short("-12.34"), "\"06.12.2026 21:22:05,045\";\"-12,34\";\"\";\"-12.34\"\r\n"},
        {Short("+1234"), "\"06.12.2026 21:22:05,045\";\"1234\";\"\";\"+1234\"\r\n"},
        // No number: no value.
        {Short("+----"), "\"06.12.2026 21:22:05,045\";\"\";\"\";\"+----\"\r\n"},
        {Short("+1;\"2"), "\"06.12.2026 21:22:05,045\";\"\";\"\";\"+1;\"\"2\"\r\n"},
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

// The history holds memory for the telegrams received, not for its cap.
TEST(TrendHistory, GrowsWithTheTelegrams) {
    TrendHistory history;
    EXPECT_EQ(history.capacity(), TrendHistory::kDefaultCapacity);
    EXPECT_EQ(history.allocated(), 0u);
    for (int i = 0; i < 3; ++i) history.Add(testing::At(1000 + i), Short("+1"));
    EXPECT_LE(history.allocated() * sizeof(TrendSample), 100'000u);

    TrendHistory capped(1500);
    for (int i = 0; i < 4000; ++i)
        capped.Add(testing::At(1000 + i), Short("+" + std::to_string(i)));
    EXPECT_EQ(capped.allocated(), 1500u);  // doubling stops at the cap
    EXPECT_EQ(capped[0].value, 2500);
    EXPECT_EQ(capped[1499].value, 3999);
}

// Statistics with the decimals the device sent, not those of a double.
TEST(TrendStatistics, ShowTheDecimalsOfTheTelegrams) {
    struct Case {
        std::vector<ReceivedTelegram> telegrams;
        const char* text;
    };
    const Case cases[] = {
        {{Long("+0013.65"), Long("+0013.66"), Long("+0013.64"), Long("+0013.66"), Long("+0013.65")},
         "Anzahl: 5   Minimum: 13,64 C   Maximum: 13,66 C   Mittelwert: 13,652 C   "
         "Standardabweichung: 0,008 C"},
        // The decimal point moved: each extreme keeps its own telegram's decimals.
        {{Short("+12.50"), Short("+13.00"), Short("-1.250"), Short("+14.25"), Short("+----")},
         "Anzahl: 4   Minimum: -1,250   Maximum: 14,25   Mittelwert: 9,6250   "
         "Standardabweichung: 7,2873   ohne Zahl: 1"},
        {{Short("-0.001"), Short("+0.001")},
         "Anzahl: 2   Minimum: -0,001   Maximum: 0,001   Mittelwert: 0,0000   "
         "Standardabweichung: 0,0014"},
        {{Short("+1234")},
         "Anzahl: 1   Minimum: 1234   Maximum: 1234   Mittelwert: 1234,0   "
         "Standardabweichung: 0,0"},
        {{Short("+----")}, "Anzahl: 0   ohne Zahl: 1"},
    };
    for (const Case& c : cases) {
        TrendHistory history;
        for (const ReceivedTelegram& t : c.telegrams) history.Add(testing::At(1000), t);
        EXPECT_EQ(StatisticsText(Summarise(history, {0, history.size()})), c.text);
    }
}

// A chart line ends where the telegrams stopped for several of their usual
// intervals or the connection was lost, and goes on with the next telegram.
TEST(TrendRuns, BreakAtGapsAndLostConnections) {
    struct Step {
        int afterMs;  // since the telegram before
        const char* text;
        bool interrupted = false;  // the connection was lost before it
    };
    struct Case {
        const char* what;
        std::vector<Step> steps;
        std::vector<std::size_t> runs;  // points of each run
    };
    const auto every = [](int n, int ms) { return std::vector<Step>(n, Step{ms, "+1.00"}); };
    const auto join = [](std::vector<std::vector<Step>> parts) {
        std::vector<Step> all;
        for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
        return all;
    };
    const Case cases[] = {
        {"a 21 s outage at 2 a second",
         join({every(5, 500), {{21000, "+2.00"}}, every(3, 500)}),
         {5, 4}},
        {"jitter up to three intervals",
         join({every(5, 500), {{1500, "+2.00"}}, every(3, 500)}),
         {9}},
        {"a slow device is steady", every(6, 20000), {6}},
        {"a slow device that missed five", join({every(4, 20000), {{120000, "+2.00"}}}), {4, 1}},
        {"a fast device pausing below a second",
         join({every(20, 15), {{800, "+2.00"}}, every(5, 15)}),
         {26}},
        {"a fast device pausing over a second",
         join({every(20, 15), {{1200, "+2.00"}}, every(5, 15)}),
         {20, 6}},
        {"a lost connection, back at once",
         join({every(5, 500), {{500, "+2.00", true}}, every(2, 500)}),
         {5, 3}},
        {"the gap ends with a telegram without a number",
         join({every(5, 500), {{21000, "+----"}, {500, "+2.00"}}, every(2, 500)}),
         {5, 3}},
    };
    for (const Case& c : cases) {
        TrendHistory history;
        Clock::TimePoint at = testing::At(1000);
        for (const Step& step : c.steps) {
            at += std::chrono::milliseconds(step.afterMs);
            if (step.interrupted)
                history.MarkInterruption();
            history.Add(at, Short(step.text));
        }
        std::vector<std::size_t> sizes;
        for (const auto& run : PlotRunsOf(history, {0, history.size()}))
            sizes.push_back(run.size());
        EXPECT_EQ(sizes, c.runs) << c.what;
    }
}

}  // namespace
}  // namespace qvt
