#include "core/qvc_file.h"

#include <algorithm>
#include <string>
#include <type_traits>
#include <utility>

#include "core/device_family.h"

namespace qvt {
namespace {

bool AnyWord(std::uint16_t) {
    return true;
}

// One word of the file: how it is taken from the record and put back, and
// whether the field can hold it whole.
struct WordField {
    std::uint16_t (*get)(const ParameterRecord&);
    void (*set)(ParameterRecord&, std::uint16_t);
    bool (*fits)(std::uint16_t) = AnyWord;
};

template <auto Member>
std::uint16_t GetText(const ParameterRecord& r) {
    return static_cast<std::uint16_t>(TextToWord((r.*Member).view()));
}

// The word as a signed decimal without leading zeros; the field cuts what
// does not fit its capacity.
template <auto Member>
void SetText(ParameterRecord& r, std::uint16_t word) {
    r.*Member = std::to_string(static_cast<std::int16_t>(word));
}

// Whether the word's decimal text fits the field: a number cut to the field
// would be another number (10000 pulses would become 1000).
template <auto Member>
bool TextFits(std::uint16_t word) {
    using Field = std::remove_cvref_t<decltype(std::declval<ParameterRecord&>().*Member)>;
    return std::to_string(static_cast<std::int16_t>(word)).size() <= Field::kMaxLength;
}

template <auto Member>
WordField TextWord() {
    return {GetText<Member>, SetText<Member>, TextFits<Member>};
}

template <auto Member>
std::uint16_t GetByte(const ParameterRecord& r) {
    return r.*Member;
}

template <auto Member>
void SetByte(ParameterRecord& r, std::uint16_t word) {
    r.*Member = static_cast<std::uint8_t>(word & 0xFF);
}

std::uint16_t SignExtend(std::uint8_t byte) {
    return static_cast<std::uint16_t>(static_cast<std::int16_t>(static_cast<std::int8_t>(byte)));
}

template <std::size_t Index>
std::uint16_t GetUnitChar(const ParameterRecord& r) {
    return SignExtend(static_cast<std::uint8_t>(r.azUnitText.bytes()[Index]));
}

// The unit characters arrive one word at a time; the text is rebuilt from the
// three positions, so a zero character ends it as it would in the field.
template <std::size_t Index>
void SetUnitChar(ParameterRecord& r, std::uint16_t word) {
    std::array<char, 3> chars{};
    const auto& bytes = r.azUnitText.bytes();
    for (std::size_t i = 0; i < chars.size(); ++i) chars[i] = bytes[i];
    chars[Index] = static_cast<char>(word & 0xFF);
    r.azUnitText = std::string_view(chars.data(), chars.size());
}

std::uint16_t GetReserved(const ParameterRecord&) {
    return 0;
}
void SkipReserved(ParameterRecord&, std::uint16_t) {}

// The file knows the rounding codes 0, 1 and 2; every other code is "Fünfer" and kept as 5.
std::uint16_t GetRounding(const ParameterRecord& r) {
    return r.azRounding > 2 ? 5 : r.azRounding;
}
void SetRounding(ParameterRecord& r, std::uint16_t word) {
    r.azRounding = static_cast<std::int16_t>(word) > 2 ? 5 : static_cast<std::uint8_t>(word & 0xFF);
}

std::uint16_t GetFuncCode(const ParameterRecord& r) {
    return static_cast<std::uint16_t>(static_cast<std::uint32_t>(r.funcCode) & 0xFFFF);
}
void SetFuncCode(ParameterRecord& r, std::uint16_t word) {
    r.funcCode = word & 0xFF;
}

std::uint16_t GetDeviceType(const ParameterRecord& r) {
    return SignExtend(r.deviceType);
}

using R = ParameterRecord;

// The 38 words in file order.
const std::array<WordField, kParameterFileWords> kWords = {{
    TextWord<&R::mbMeasStart>(),                                     // 1
    TextWord<&R::mbDisplayStart>(),                                  // 2
    TextWord<&R::mbMeasEnd>(),                                       // 3
    TextWord<&R::mbDisplayEnd>(),                                    // 4
    {GetReserved, SkipReserved},                                     // 5
    {GetByte<&R::azDecimalPoint>, SetByte<&R::azDecimalPoint>},      // 6
    TextWord<&R::sp1Setpoint>(),                                     // 7
    {GetByte<&R::sp1Active>, SetByte<&R::sp1Active>},                // 8
    TextWord<&R::sp2Setpoint>(),                                     // 9
    {GetByte<&R::sp2Active>, SetByte<&R::sp2Active>},                // 10
    TextWord<&R::sp1Hysteresis>(),                                   // 11
    TextWord<&R::sp2Hysteresis>(),                                   // 12
    {GetByte<&R::soDisplayMode>, SetByte<&R::soDisplayMode>},        // 13
    TextWord<&R::soEncoderPulses>(),                                 // 14
    {GetByte<&R::sp1RelayNC>, SetByte<&R::sp1RelayNC>},              // 15
    {GetByte<&R::sp2RelayNC>, SetByte<&R::sp2RelayNC>},              // 16
    TextWord<&R::sp1Delay>(),                                        // 17
    TextWord<&R::sp2Delay>(),                                        // 18
    {GetReserved, SkipReserved},                                     // 19
    {GetReserved, SkipReserved},                                     // 20
    {GetRounding, SetRounding},                                      // 21
    TextWord<&R::azAverageCount>(),                                  // 22
    {GetFuncCode, SetFuncCode},                                      // 23
    {GetByte<&R::soCountDirection>, SetByte<&R::soCountDirection>},  // 24
    {GetByte<&R::sioMode>, SetByte<&R::sioMode>},                    // 25
    {GetByte<&R::azDivideBy10>, SetByte<&R::azDivideBy10>},          // 26
    {GetByte<&R::sioBaudIndex>, SetByte<&R::sioBaudIndex>},          // 27
    TextWord<&R::rtcMinute>(),                                       // 28
    TextWord<&R::rtcHour>(),                                         // 29
    TextWord<&R::rtcDay>(),                                          // 30
    {GetByte<&R::rtcWeekday>, SetByte<&R::rtcWeekday>},              // 31
    TextWord<&R::rtcMonth>(),                                        // 32
    TextWord<&R::rtcYear>(),                                         // 33
    TextWord<&R::sioSendCycle>(),                                    // 34
    {GetUnitChar<0>, SetUnitChar<0>},                                // 35
    {GetUnitChar<1>, SetUnitChar<1>},                                // 36
    {GetUnitChar<2>, SetUnitChar<2>},                                // 37
    {GetDeviceType, SetByte<&R::deviceType>},                        // 38
}};

// Word n (from 0) of the file data, little-endian.
std::uint16_t WordAt(std::span<const std::uint8_t> data, std::size_t n) {
    return static_cast<std::uint16_t>(data[2 * n] | (data[2 * n + 1] << 8));
}

// Index of the device type word (word 38 of the file).
constexpr std::size_t kDeviceTypeWord = kParameterFileWords - 1;

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

std::int16_t TextToWord(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    // Arithmetic modulo 2^16 gives the low 16 bits of the true value.
    std::uint16_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = static_cast<std::uint16_t>(value * 10u + static_cast<unsigned>(text[i] - '0'));
    }
    if (negative)
        value = static_cast<std::uint16_t>(0u - value);
    return static_cast<std::int16_t>(value);
}

ParameterFileImage EncodeParameterFile(const ParameterRecord& record) {
    ParameterFileImage image{};
    for (std::size_t n = 0; n < kWords.size(); ++n) {
        const std::uint16_t word = kWords[n].get(record);
        image[2 * n] = static_cast<std::uint8_t>(word & 0xFF);
        image[2 * n + 1] = static_cast<std::uint8_t>(word >> 8);
    }
    return image;
}

void DecodeParameterFile(std::span<const std::uint8_t> data, ParameterRecord& record) {
    const std::size_t words = std::min(data.size() / 2, kWords.size());
    for (std::size_t n = 0; n < words; ++n) {
        kWords[n].set(record, WordAt(data, n));
    }
    // The counter family codes "Fünfer" as 3 and knows no code 5.
    if (IsCounterFamily(record.deviceType) && record.azRounding > 2)
        record.azRounding = 3;
}

bool DecodeKnownParameterFile(std::span<const std::uint8_t> data, ParameterRecord& record) {
    // Every file this program writes has all 38 words; a shorter one (an
    // empty or a text file) would leave half a set behind the new name.
    if (data.size() < kParameterFileSize)
        return false;
    // A device type this program does not know would leave every type-dependent
    // code without meaning; such a file is not one of ours.
    const auto type = static_cast<std::int16_t>(WordAt(data, kDeviceTypeWord));
    if (type < kDeviceQvt410 || type > kDeviceQvt055)
        return false;
    for (std::size_t n = 0; n < kWords.size(); ++n) {
        if (!kWords[n].fits(WordAt(data, n)))
            return false;
    }
    DecodeParameterFile(data.first(kParameterFileSize), record);
    return true;
}

}  // namespace qvt
