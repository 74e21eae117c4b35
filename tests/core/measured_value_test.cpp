#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "core/measured_value.h"

namespace qvt {
namespace {

TEST(MeasuredValue, FieldsAsTheMonitorCutsThem) {
    const std::pair<std::string_view, std::optional<double>> cases[] = {
        {"+ 0012.34", 12.34},    // 26-character form, blank after the sign
        {"- 00012.34", -12.34},  // 27-character form
        {"+ 12.34", 12.34},      // short form
        {"- 1.25\r", -1.25},     // short form of five characters keeps its CR
        {"+ 1234\r", 1234.0},
        {"1 23.45", 123.45},  // short form without sign: the blank splits the digits
        {"-    7,5", -7.5},   // zero suppression and a decimal comma
        {"  0000", 0.0},
        {"- 0000", 0.0},  // no minus zero
        {"+ 12.", 12.0},
        {"+ .5", 0.5},
        {"+ ----.--", std::nullopt},  // overrange
        {"+ 12.3.4", std::nullopt},
        {"+ 12,3.4", std::nullopt},
        {"+ -12", std::nullopt},
        {"12-", std::nullopt},
        {"+ 12.3C", std::nullopt},
        {"+ .", std::nullopt},
        {"-", std::nullopt},
        {"", std::nullopt},
        {"        ", std::nullopt},
        {"\xB0 12", std::nullopt},
        {"1\t2", 12.0},  // a control character reads as the blank it shows as
        // The CR ends the value; behind it, bytes of an earlier, longer telegram.
        {"- 5\r34.", -5.0},
        {"7 \r.25\r", 7.0},
        {"\r 1234.", std::nullopt},  // an empty telegram
        {"\n +1234", 1234.0},        // the LF of the CR LF before it
    };
    for (const auto& [field, expected] : cases) {
        const std::optional<double> value = ParseMeasuredValue(field);
        ASSERT_EQ(value.has_value(), expected.has_value()) << "'" << field << "'";
        if (value) {
            EXPECT_DOUBLE_EQ(*value, *expected) << "'" << field << "'";
            EXPECT_FALSE(std::signbit(*value) && *value == 0) << "'" << field << "'";
        }
    }
}

// Every control character of Latin-1 (C0, DEL, C1): the CR ends the value,
// every other one is a blank, in the digits shown and in the number read.
// All other bytes are shown as they are.
TEST(MeasuredValue, DigitsAndNumberAgreeOnEveryByte) {
    for (int code = 1; code < 256; ++code) {
        const char byte = static_cast<char>(code);
        const bool control = code < 0x20 || (code >= 0x7F && code <= 0x9F);
        const std::string field = std::string("- 5") + byte + "7";
        std::string shown = field;
        std::optional<double> number;
        if (code == '\r') {
            shown = "- 5";
            number = -5.0;
        } else if (control) {
            shown = "- 5 7";
            number = -57.0;
        }
        EXPECT_EQ(ShownValue(field), shown) << code;
        EXPECT_EQ(ParseMeasuredValue(field), ParseMeasuredValue(ShownValue(field))) << code;
        if (control) {
            EXPECT_EQ(ParseMeasuredValue(field), number) << code;
        }
    }
}

TEST(MeasuredValue, UnitAndDecimalsOfTheThreeForms) {
    using F = TelegramForm;
    struct Case {
        F form;
        std::string_view text, field;
        std::optional<double> number;
        int decimals;
        std::string_view unit;
    };
    const Case cases[] = {
        {F::kLong27, "06.12.26 21:22:05+0012.34C", "+ 0012.34", 12.34, 2, "C"},
        {F::kLong27, "06.12.26 21:22:05-001.234\xB0", "- 001.234", -1.234, 3, "°"},
        {F::kLong27, "06.12.26 21:22:05+0012.34 ", "+ 0012.34", 12.34, 2, ""},
        {F::kLong27, "06.12.26 21:22:05+0012.345", "+ 0012.34", 12.34, 2, ""},
        {F::kLong27, "06.12.26 21:22:05+----.--V", "+ ----.--", std::nullopt, 0, "V"},
        {F::kLong28, "06.12.26 21:22:05+00012.34", "+ 00012.34", 12.34, 2, ""},
        {F::kShort, "+12.3", "+ 12.3", 12.3, 1, ""},
        {F::kLongOther, "06.12.26 21:22:05+0012.34C", "+ 0012.34", 12.34, 2, ""},
    };
    for (const Case& c : cases) {
        const MeasuredValue reading = ReadMeasuredValue(c.form, c.text, c.field);
        EXPECT_EQ(reading.number, c.number) << c.text;
        EXPECT_EQ(reading.decimals, c.decimals) << c.text;
        EXPECT_EQ(reading.unit, c.unit) << c.text;
    }
}

}  // namespace
}  // namespace qvt
