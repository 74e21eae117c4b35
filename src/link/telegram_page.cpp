#include "link/telegram_page.h"

#include <cstdio>

namespace qvt {
namespace {

constexpr std::size_t kPageLines = kLinesPerPage;

}  // namespace

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
    const bool restarted = state_.printLineCount == 0 && !lines_.empty();
    if (restarted)
        lines_.clear();
    lines_.push_back(text);
    state_.printLineCount = static_cast<std::int32_t>(lines_.size());
    // The printer is asked whenever a page has filled up; lines kept from a
    // page it refused wait for the next one, so a missing printer costs one
    // attempt (and one message) per page, not one per telegram.
    if (lines_.size() % kPageLines != 0) {
        return restarted ? Outcome::kRestarted : Outcome::kCollected;
    }
    return PrintFullPages(printer);
}

TelegramPage::Outcome TelegramPage::PrintFullPages(Printer& printer) {
    const auto pageSize = static_cast<std::ptrdiff_t>(kPageLines);
    while (lines_.size() >= kPageLines) {
        const std::vector<std::string> page(lines_.begin(), lines_.begin() + pageSize);
        if (!printer.Print(PageLayout(page, state_.printPageNumber)))
            break;
        ++state_.printPageNumber;
        lines_.erase(lines_.begin(), lines_.begin() + pageSize);
    }
    state_.printLineCount = static_cast<std::int32_t>(lines_.size());
    return lines_.size() >= kPageLines ? Outcome::kPrintFailed : Outcome::kPrinted;
}

void TelegramPage::Reset() {
    lines_.clear();
    state_.printLineCount = 0;
    state_.printPageNumber = 1;
}

}  // namespace qvt
