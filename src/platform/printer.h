#pragma once

#include <string>
#include <vector>

namespace qvt {

// One text drawn on a page: top-left corner in device pixels of a 600 dpi
// printer, font size in points, Latin-1 text as the device sent it.
struct PrintText {
    int x = 0;
    int y = 0;
    int pointSize = 12;
    std::string text;

    friend bool operator==(const PrintText&, const PrintText&) = default;
};

// The printer pages go to.
class Printer {
  public:
    virtual ~Printer() = default;
    // Prints one page. False when there is no printer or the page could not be
    // handed to it.
    virtual bool Print(const std::vector<PrintText>& page) = 0;
};

}  // namespace qvt
