#pragma once

#include <string>
#include <vector>

#include "core/application_state.h"
#include "platform/printer.h"

namespace qvt {

// The printed page of telegrams: 41 lines, then the page goes to the printer.
inline constexpr int kLinesPerPage = 41;

// What is drawn for one page, in device pixels of a 600 dpi printer: line i
// at x 800, y 50 + 150 i in 12 point; the footer "QVT410-Daten  Seite n" in 10
// point at x 1800, 200 below where the next line would have gone.
std::vector<PrintText> PageLayout(const std::vector<std::string>& lines, int pageNumber);

// The list of last telegrams. Lines are added while printing is on; the 41st
// line prints the page. The counters are the application's PrintLineCount and
// PrintPageNumber, which "Neu" also resets; a line count found at 0 means the
// list was started afresh. A page that cannot be handed to the printer stays
// in the list, and the printer is tried again when the next page is full, not
// with every line; the lines kept then go out as pages of 41 lines, each with
// its own footer and number.
class TelegramPage {
  public:
    // kPrinted and kPrintFailed: pages may have left the list, see lines().
    enum class Outcome { kCollected, kPrinted, kPrintFailed, kRestarted };

    explicit TelegramPage(ApplicationState& state) : state_(state) {}

    // Appends a line and prints the page when it is full. kRestarted: the line
    // was collected on a list that had been reset elsewhere.
    Outcome Add(const std::string& text, Printer& printer);

    // "Druckseite löschen": empty list, the next footer reads page 1.
    void Reset();

    const std::vector<std::string>& Lines() const { return lines_; }

  private:
    Outcome PrintFullPages(Printer& printer);

    ApplicationState& state_;
    std::vector<std::string> lines_;
};

}  // namespace qvt
