#include "trend/model/trend_csv.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>

#include "core/latin1_text.h"

namespace qvt {
namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
constexpr char kLineEnd[] = "\r\n";

std::string LocalTimeText(Clock::TimePoint at) {
    const std::tm t = LocalTime(at);
    const auto sinceEpoch = std::chrono::floor<std::chrono::milliseconds>(at.time_since_epoch());
    const auto milliseconds =
        (sinceEpoch - std::chrono::floor<std::chrono::seconds>(sinceEpoch)).count();
    char text[80];  // room for any int the format could be handed
    std::snprintf(text, sizeof text, "%02d.%02d.%04d %02d:%02d:%02d,%03d", t.tm_mday, t.tm_mon + 1,
                  t.tm_year + 1900, t.tm_hour, t.tm_min, t.tm_sec, static_cast<int>(milliseconds));
    return text;
}

std::string ValueText(const TrendSample& sample) {
    return sample.hasNumber ? GermanDecimal(sample.value, sample.decimals) : std::string();
}

std::string Field(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c;
        if (c == '"')
            quoted += '"';
    }
    return quoted + '"';
}

}  // namespace

std::string TrendCsvHeader() {
    return std::string(kByteOrderMark) + "Zeit;Wert;Einheit;Telegramm" + kLineEnd;
}

std::string TrendCsvRow(const TrendSample& sample) {
    return Field(LocalTimeText(sample.at)) + ';' + Field(ValueText(sample)) + ';' +
           Field(sample.unit.str()) + ';' +
           Field(Utf8FromLatin1(OnOneLine(sample.telegram.view()))) + kLineEnd;
}

std::string TrendCsv(const TrendHistory& history, std::size_t first) {
    std::string csv = TrendCsvHeader();
    csv.reserve(csv.size() + (history.size() - std::min(first, history.size())) * 64);
    for (std::size_t i = first; i < history.size(); ++i) csv += TrendCsvRow(history[i]);
    return csv;
}

std::string GermanDecimal(double value, int decimals) {
    char text[400];  // any double in fixed notation
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed,
                                      std::clamp(decimals, 0, 17));
    std::string number(text, result.ptr);
    if (number.front() == '-' && number.find_first_of("123456789") == std::string::npos)
        number.erase(0, 1);
    std::replace(number.begin(), number.end(), '.', ',');
    return number;
}

}  // namespace qvt
