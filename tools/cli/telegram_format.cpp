#include "telegram_format.h"

#include <cstdio>
#include <ctime>

#include "core/latin1_text.h"
#include "text_output.h"

namespace cli {
namespace {

std::string Number(const qvt::MeasuredValue& value) {
    if (!value.number)
        return {};
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", value.decimals, *value.number);
    return text;
}

}  // namespace

std::string IsoLocalTime(std::chrono::system_clock::time_point when) {
    const auto milliseconds =
        std::chrono::duration_cast<std::chrono::milliseconds>(when.time_since_epoch()).count();
    const std::time_t seconds = static_cast<std::time_t>(milliseconds / 1000);
    std::tm local{};
    localtime_r(&seconds, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%dT%H:%M:%S", &local);
    char offset[8];
    std::strftime(offset, sizeof offset, "%z", &local);  // +0100
    char text[64];
    std::snprintf(text, sizeof text, "%s.%03d%.3s:%.2s", stamp,
                  static_cast<int>(milliseconds % 1000), offset, offset + 3);
    return text;
}

std::string FormatHeader(OutputFormat format) {
    return format == OutputFormat::kCsv ? "time,value,unit,text" : "";
}

std::string FormatTelegram(OutputFormat format, const std::string& time,
                           const qvt::MeasuredValue& value, std::string_view text) {
    const std::string shown = qvt::Utf8FromLatin1(qvt::OnOneLine(text));
    const std::string number = Number(value);
    switch (format) {
        case OutputFormat::kCsv:
            return time + ',' + number + ',' + CsvField(value.unit) + ',' + CsvField(shown);
        case OutputFormat::kJsonLines:
            return "{\"time\":" + JsonString(time) +
                   ",\"value\":" + (number.empty() ? "null" : number) +
                   ",\"unit\":" + JsonString(value.unit) + ",\"text\":" + JsonString(shown) + "}";
        case OutputFormat::kText:
            break;
    }
    std::string line = time + "  " + (number.empty() ? "-" : number);
    if (!value.unit.empty())
        line += ' ' + value.unit;
    return line + "  " + shown;
}

}  // namespace cli
