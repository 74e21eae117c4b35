#pragma once

#include <string_view>

namespace qvt {

// The text without the blanks and tabs around it, as settings files and the
// command line are written by hand.
constexpr std::string_view Trimmed(std::string_view text) {
    constexpr std::string_view kBlanks = " \t";
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

}  // namespace qvt
