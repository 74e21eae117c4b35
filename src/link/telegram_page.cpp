#include "link/telegram_page.h"

#include <cstdio>

namespace qvt {

std::vector<PrintText> PageLayout(const std::vector<std::string>& lines, int pageNumber) {
    std::vector<PrintText> items;
    items.reserve(lines.size() + 1);
    int y = 50;
    for (const std::string& line : lines) {
        items.push_back({800, y, 12, line});
        y += 150;
    }
    char footer[64];
    std::snprintf(footer, sizeof footer, "QVT410-Daten  Seite %d", pageNumber);
    items.push_back({1800, y + 200, 10, footer});
    return items;
}

TelegramPage::Outcome TelegramPage::Add(const std::string& text, Printer& printer) {
    const bool restarted = state_.PrintLineCount == 0 && !lines_.empty();
    if (restarted)
        lines_.clear();
    lines_.push_back(text);
    state_.PrintLineCount = static_cast<std::int32_t>(lines_.size());
    if (state_.PrintLineCount < kLinesPerPage) {
        return restarted ? Outcome::kRestarted : Outcome::kCollected;
    }
    if (!printer.Print(PageLayout(lines_, state_.PrintPageNumber)))
        return Outcome::kPrintFailed;
    ++state_.PrintPageNumber;
    lines_.clear();
    state_.PrintLineCount = 0;
    return Outcome::kPrinted;
}

void TelegramPage::Reset() {
    lines_.clear();
    state_.PrintLineCount = 0;
    state_.PrintPageNumber = 1;
}

}  // namespace qvt
