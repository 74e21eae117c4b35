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
    static const std::array<std::uint8_t, 100> kTable = [] {
        std::array<std::uint8_t, 100> t{};
        for (int n = 0; n < 100; ++n) t[n] = static_cast<std::uint8_t>((n / 10) << 4 | (n % 10));
        return t;
    }();
    return kTable;
}

std::uint8_t TelegramChecksum(std::span<const std::uint8_t> bytes) {
    unsigned sum = 0;
    for (std::uint8_t b : bytes) sum += b;
    return static_cast<std::uint8_t>(sum & 0xFFu);
}

ParameterTelegramBytes ParameterTelegram(const ParameterRecord& record, const std::tm& localTime) {
    ParameterTelegramBytes bytes{};
    TelegramWriter w(bytes);
    const std::uint8_t type = record.deviceType;
    auto signedField = [type](const auto& text) { return SignedFieldValue(text.view(), type); };
    auto unsignedField = [type](const auto& text) { return UnsignedFieldValue(text.view(), type); };

    w.Byte(0, kParameterTelegramStart);
    w.Byte(1, kParameterTelegramLength);
    w.Word(2, signedField(record.mbMeasStart));
    w.Word(4, signedField(record.mbDisplayStart));
    w.Word(6, signedField(record.mbMeasEnd));
    w.Word(8, signedField(record.mbDisplayEnd));
    w.Byte(10, record.daCardType);
    w.Byte(12, record.azDecimalPoint);
    w.Word(14, signedField(record.sp1Setpoint));
    w.Byte(16, record.sp1Active);
    w.Word(18, signedField(record.sp2Setpoint));
    w.Byte(20, record.sp2Active);
    w.Word(22, signedField(record.sp1Hysteresis));
    w.Word(24, signedField(record.sp2Hysteresis));
    w.Byte(26, record.soDisplayMode);
    w.Byte(27, record.soCountDirection);
    w.Word(28, signedField(record.soEncoderPulses));
    w.Byte(30, record.sp1RelayNC);
    w.Byte(32, record.sp2RelayNC);
    w.Word(34, unsignedField(record.sp1Delay));
    w.Word(36, unsignedField(record.sp2Delay));
    w.Byte(38, record.azRounding);
    w.Word(40, BcdFieldValue(record.azAverageCount.view()));
    w.Byte(42, static_cast<std::uint8_t>(static_cast<std::uint32_t>(record.funcCode) & 0xFFu));
    w.Byte(44, record.reserved);
    w.Byte(46, record.sioMode);
    w.Byte(48, record.azDivideBy10);
    w.Byte(50, record.sioBaudIndex);
    w.Byte(52, Bcd(localTime.tm_min));
    w.Byte(53, Bcd(localTime.tm_hour));
    w.Byte(54, Bcd(localTime.tm_mday));
    w.Byte(55, static_cast<std::uint8_t>(localTime.tm_wday));
    w.Byte(56, Bcd(localTime.tm_mon + 1));
    w.Byte(57, Bcd((localTime.tm_year + 1900) % 100));
    w.Byte(58, ByteFieldValue(record.sioSendCycle.view()));
    for (std::size_t i = 0; i < 3; ++i) {
        w.Byte(59 + i, static_cast<std::uint8_t>(record.azUnitText.bytes()[i]));
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
