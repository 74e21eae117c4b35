#include "devsim/device_telegrams.h"

#include <cstdio>

namespace devsim {

std::size_t ValueWidth(Form form) {
    switch (form) {
        case Form::kShort:
            return 6;
        case Form::kLong27:
            return 8;
        case Form::kLong28:
            return 9;
    }
    return 8;
}

std::string ValueField(const Options& options, long number) {
    const std::size_t width = ValueWidth(options.form);
    const bool given = !options.values.empty();
    std::string value =
        given ? options.values[static_cast<std::size_t>(number - 1) % options.values.size()] : "";
    if (options.numbered) {
        char digits[32];
        std::snprintf(digits, sizeof digits, "+%0*ld", static_cast<int>(width - 1), number);
        value = digits;
    } else if (!given) {
        value = options.form == Form::kShort    ? "+12.34"
                : options.form == Form::kLong28 ? "+00012.34"
                                                : "+0012.34";
    }
    // A short telegram is as long as the device's text ("+1234" and CR, up to
    // 14 characters); only the running number is padded to the field.
    if (options.form == Form::kShort && !options.numbered && given)
        return value.substr(0, 14);
    if (value.size() > width)
        value.resize(width);
    std::string field(width - value.size(), ' ');
    field += value;
    return field;
}

std::vector<std::uint8_t> DeviceTelegram(const Options& options, long number, const std::tm& now) {
    std::string text;
    if (options.form != Form::kShort) {
        char stamp[64];
        std::snprintf(stamp, sizeof stamp, "%02d.%02d.%02d %02d:%02d:%02d", now.tm_mday,
                      now.tm_mon + 1, (now.tm_year + 1900) % 100, now.tm_hour, now.tm_min,
                      now.tm_sec);
        text = stamp;
    }
    text += ValueField(options, number);
    if (options.form != Form::kShort)
        text.push_back(options.unit);

    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    if (options.zeros) {
        bytes.insert(bytes.begin() + (bytes.empty() ? 0 : 1), 0x00);
        bytes.push_back(0x00);
    }
    bytes.push_back(0x0D);
    if (options.form == Form::kLong27 || options.crlf)
        bytes.push_back(0x0A);
    return bytes;
}

}  // namespace devsim
