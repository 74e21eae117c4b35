#include "link/telegram_page.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qvt {
namespace {

class RecordingPrinter : public Printer {
  public:
    bool Print(const std::vector<PrintText>& page) override {
        pages.push_back(page);
        return available;
    }
    std::vector<std::vector<PrintText>> pages;
    bool available = true;
};

std::vector<std::string> Lines(int count, const std::string& prefix = "T") {
    std::vector<std::string> lines;
    for (int i = 1; i <= count; ++i) lines.push_back(prefix + std::to_string(i));
    return lines;
}

TEST(PageLayoutTest, LinesEvery150PixelsAndTheFooterBelow) {
    const std::vector<PrintText> page = PageLayout(Lines(41), 3);
    ASSERT_EQ(page.size(), 42u);
    for (int i = 0; i < 41; ++i) {
        EXPECT_EQ(page[i], (PrintText{800, 50 + 150 * i, 12, "T" + std::to_string(i + 1)}));
    }
    EXPECT_EQ(page[41], (PrintText{1800, 6400, 10, "QVT410-Daten  Seite 3"}));
}

TEST(PageLayoutTest, FooterFollowsTheLinesPrinted) {
    const std::vector<PrintText> page = PageLayout(Lines(42), 12);
    EXPECT_EQ(page.back(), (PrintText{1800, 50 + 150 * 42 + 200, 10, "QVT410-Daten  Seite 12"}));
}

struct PageCase {
    int telegrams;
    int pagesPrinted;
    int linesLeft;
    int nextPage;
};

class TelegramPageTest : public ::testing::TestWithParam<PageCase> {};

// The 41st line prints the page and empties the list; the 40th does not.
TEST_P(TelegramPageTest, PagesOf41Lines) {
    ApplicationState state;
    TelegramPage list(state);
    RecordingPrinter printer;
    for (const std::string& line : Lines(GetParam().telegrams)) list.Add(line, printer);
    EXPECT_EQ(static_cast<int>(printer.pages.size()), GetParam().pagesPrinted);
    EXPECT_EQ(static_cast<int>(list.Lines().size()), GetParam().linesLeft);
    EXPECT_EQ(state.printLineCount, GetParam().linesLeft);
    EXPECT_EQ(state.printPageNumber, GetParam().nextPage);
    for (std::size_t p = 0; p < printer.pages.size(); ++p) {
        ASSERT_EQ(printer.pages[p].size(), 42u);
        EXPECT_EQ(printer.pages[p].front().text, "T" + std::to_string(p * 41 + 1));
        EXPECT_EQ(printer.pages[p].back().text, "QVT410-Daten  Seite " + std::to_string(p + 1));
    }
}

INSTANTIATE_TEST_SUITE_P(Counts, TelegramPageTest,
                         ::testing::Values(PageCase{40, 0, 40, 1}, PageCase{41, 1, 0, 2},
                                           PageCase{42, 1, 1, 2}, PageCase{82, 2, 0, 3},
                                           PageCase{0, 0, 0, 1}));

// A refused page is kept; the printer is asked again only when the next page
// is full, and then both go out as pages of 41 lines with their own footers.
TEST(TelegramPageTest, AFailedPageIsKeptAndPrintedWithTheNextFullPage) {
    ApplicationState state;
    TelegramPage list(state);
    RecordingPrinter printer;
    printer.available = false;
    const std::vector<std::string> lines = Lines(82);
    for (int i = 0; i < 40; ++i) list.Add(lines[i], printer);
    EXPECT_EQ(list.Add(lines[40], printer), TelegramPage::Outcome::kPrintFailed);
    for (int i = 41; i < 81; ++i) list.Add(lines[i], printer);
    EXPECT_EQ(printer.pages.size(), 1u);  // no attempt with every line
    EXPECT_EQ(state.printLineCount, 81);
    printer.available = true;
    EXPECT_EQ(list.Add(lines[81], printer), TelegramPage::Outcome::kPrinted);
    ASSERT_EQ(printer.pages.size(), 3u);
    EXPECT_EQ(printer.pages[1], PageLayout({lines.begin(), lines.begin() + 41}, 1));
    EXPECT_EQ(printer.pages[2], PageLayout({lines.begin() + 41, lines.end()}, 2));
    EXPECT_TRUE(list.Lines().empty());
    EXPECT_EQ(state.printPageNumber, 3);
}

TEST(TelegramPageTest, ResetStartsAgainAtPageOne) {
    ApplicationState state;
    TelegramPage list(state);
    RecordingPrinter printer;
    for (const std::string& line : Lines(82 + 5)) list.Add(line, printer);
    ASSERT_EQ(state.printPageNumber, 3);
    list.Reset();
    EXPECT_TRUE(list.Lines().empty());
    EXPECT_EQ(state.printLineCount, 0);
    for (const std::string& line : Lines(41, "N")) list.Add(line, printer);
    ASSERT_EQ(printer.pages.size(), 3u);
    EXPECT_EQ(printer.pages[2].front().text, "N1");
    EXPECT_EQ(printer.pages[2].back().text, "QVT410-Daten  Seite 1");
}

TEST(TelegramPageTest, CountersResetElsewhereStartTheListAfresh) {
    // "Neu" sets the counters back without knowing the list.
    ApplicationState state;
    TelegramPage list(state);
    RecordingPrinter printer;
    for (const std::string& line : Lines(30)) list.Add(line, printer);
    state.printLineCount = 0;
    state.printPageNumber = 1;
    EXPECT_EQ(list.Add("fresh", printer), TelegramPage::Outcome::kRestarted);
    EXPECT_EQ(list.Lines(), std::vector<std::string>{"fresh"});
    EXPECT_EQ(state.printLineCount, 1);
}

}  // namespace
}  // namespace qvt
