#include "link/telegrams.h"

#include "core/parameter_record.h"
#include "link/number_text.h"

namespace qvt {
namespace {

// Writes into a telegram image field by field, 16-bit values low byte first.
class TelegramWriter {
  public:
    explicit TelegramWriter(ParameterTelegramBytes& bytes) : bytes_(bytes) {}

    void Byte(std::size_t offset, std::uint8_t value) { bytes_[offset] = value; }
    void Word(std::size_t offset, std::uint16_t value) {
        bytes_[offset] = static_cast<std::uint8_t>(value & 0xFFu);
        bytes_[offset + 1] = static_cast<std::uint8_t>(value >> 8);
    }

  private:
    ParameterTelegramBytes& bytes_;
};

std::uint8_t Bcd(int value) {
    // The table covers 0..99; the year is cut to its last two digits before.
    return DigitTable()[static_cast<std::size_t>(value >= 0 && value <= 99 ? value : 0)];
}

}  // namespace

const std::array<std::uint8_t, 100>& DigitTable() {
    static const std::array<std::uint8_t, 100> table = [] {
        std::array<std::uint8_t, 100> t{};
        for (int n = 0; n < 100; ++n) t[n] = static_cast<std::uint8_t>((n / 10) << 4 | (n % 10));
        return t;
    }();
    return table;
}

std::uint8_t TelegramChecksum(std::span<const std::uint8_t> bytes) {
    unsigned sum = 0;
    for (std::uint8_t b : bytes) sum += b;
    return static_cast<std::uint8_t>(sum & 0xFFu);
}

ParameterTelegramBytes ParameterTelegram(const ParameterRecord& r, const std::tm& t) {
    ParameterTelegramBytes bytes{};
    TelegramWriter w(bytes);
    const std::uint8_t type = r.deviceType;
    auto signedField = [type](const auto& text) { return SignedFieldValue(text.view(), type); };
    auto unsignedField = [type](const auto& text) { return UnsignedFieldValue(text.view(), type); };

    w.Byte(0, kParameterTelegramStart);
    w.Byte(1, kParameterTelegramLength);
    w.Word(2, signedField(r.mbMeasStart));
    w.Word(4, signedField(r.mbDisplayStart));
    w.Word(6, signedField(r.mbMeasEnd));
    w.Word(8, signedField(r.mbDisplayEnd));
    w.Byte(10, r.daCardType);
    w.Byte(12, r.azDecimalPoint);
    w.Word(14, signedField(r.sp1Setpoint));
    w.Byte(16, r.sp1Active);
    w.Word(18, signedField(r.sp2Setpoint));
    w.Byte(20, r.sp2Active);
    w.Word(22, signedField(r.sp1Hysteresis));
    w.Word(24, signedField(r.sp2Hysteresis));
    w.Byte(26, r.soDisplayMode);
    w.Byte(27, r.soCountDirection);
    w.Word(28, signedField(r.soEncoderPulses));
    w.Byte(30, r.sp1RelayNC);
    w.Byte(32, r.sp2RelayNC);
    w.Word(34, unsignedField(r.sp1Delay));
    w.Word(36, unsignedField(r.sp2Delay));
    w.Byte(38, r.azRounding);
    w.Word(40, BcdFieldValue(r.azAverageCount.view()));
    w.Byte(42, static_cast<std::uint8_t>(static_cast<std::uint32_t>(r.funcCode) & 0xFFu));
    w.Byte(44, r.reserved);
    w.Byte(46, r.sioMode);
    w.Byte(48, r.azDivideBy10);
    w.Byte(50, r.sioBaudIndex);
    w.Byte(52, Bcd(t.tm_min));
    w.Byte(53, Bcd(t.tm_hour));
    w.Byte(54, Bcd(t.tm_mday));
    w.Byte(55, static_cast<std::uint8_t>(t.tm_wday));
    w.Byte(56, Bcd(t.tm_mon + 1));
    w.Byte(57, Bcd((t.tm_year + 1900) % 100));
    w.Byte(58, ByteFieldValue(r.sioSendCycle.view()));
    for (std::size_t i = 0; i < 3; ++i) {
        w.Byte(59 + i, static_cast<std::uint8_t>(r.azUnitText.bytes()[i]));
    }
    w.Byte(62, TelegramChecksum(std::span(bytes).first(62)));
    return bytes;
}

TestValueTelegramBytes TestValueTelegram(std::string_view testValue, TestValuePoint point) {
    std::array<std::uint8_t, 4> digits{};  // units, tens, hundreds, thousands
    for (std::size_t i = 0; i < digits.size() && i < testValue.size(); ++i) {
        const char c = testValue[testValue.size() - 1 - i];
        digits[i] = static_cast<std::uint8_t>(static_cast<unsigned char>(c) & 0x0Fu);
    }
    if (digits[3] > 3)
        digits[3] = 3;  // the highest test value is 3999
    switch (point) {
        case TestValuePoint::kThousands:
            digits[3] |= 0x10;
            break;
        case TestValuePoint::kHundreds:
            digits[2] |= 0x10;
            break;
        case TestValuePoint::kTens:
            digits[1] |= 0x10;
            break;
        case TestValuePoint::kNone:
            break;
    }
    TestValueTelegramBytes bytes{
        kTestValueTelegramStart, digits[0], digits[1], digits[2], digits[3], 0};
    bytes[5] = TelegramChecksum(std::span(bytes).first(5));
    return bytes;
}

}  // namespace qvt
