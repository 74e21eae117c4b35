#include "prog/hex_reader.h"

namespace qvt {
namespace {

constexpr std::uint8_t kTypeData = 0x00;
constexpr std::uint8_t kTypeEnd = 0x01;
constexpr std::uint8_t kTypeSegmentBase = 0x02;
constexpr std::uint8_t kTypeLinearBase = 0x04;
constexpr std::uint8_t kTypeLinearStart = 0x05;

int HexDigit(int c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// The file's characters up to kLargestHexFile: past it, the file ends. Line
// ends and address records are passed over inside one call, so the bound
// holds within a call as well as across calls.
class BoundedFile {
  public:
    explicit BoundedFile(std::FILE* file) : file_(file) {
        const long position = std::ftell(file);
        left_ = position < 0 ? 0 : kLargestHexFile - position;
    }
    int Get() {
        if (left_ <= 0)
            return EOF;
        --left_;
        return std::fgetc(file_);
    }

  private:
    std::FILE* file_;
    long left_;
};

// One field of two hex digits; false at a non-digit or the end of the file.
bool ReadByte(BoundedFile& file, std::uint8_t& value) {
    const int high = HexDigit(file.Get());
    if (high < 0)
        return false;
    const int low = HexDigit(file.Get());
    if (low < 0)
        return false;
    value = static_cast<std::uint8_t>(high * 16 + low);
    return true;
}

bool StartOfRecord(BoundedFile& file) {
    int c = file.Get();
    while (c == '\r' || c == '\n') c = file.Get();
    return c == ':';
}

}  // namespace

HexResult ReadHexRecord(std::FILE* hexFile, HexRecord& record) {
    BoundedFile file(hexFile);
    for (;;) {
        if (!StartOfRecord(file))
            return HexResult::kFormatError;
        std::uint8_t length = 0;
        if (!ReadByte(file, length))
            return HexResult::kFormatError;
        record.length = length;
        std::uint8_t sum = static_cast<std::uint8_t>(0 - length);

        std::uint8_t high = 0;
        std::uint8_t low = 0;
        if (!ReadByte(file, high) || !ReadByte(file, low))
            return HexResult::kFormatError;
        record.address = static_cast<std::uint16_t>(high * 256 + low);
        sum = static_cast<std::uint8_t>(sum - high - low);

        std::uint8_t type = 0;
        if (!ReadByte(file, type))
            return HexResult::kFormatError;
        sum = static_cast<std::uint8_t>(sum - type);

        for (std::uint8_t i = 0; i < length; ++i) {
            if (!ReadByte(file, record.data[i]))
                return HexResult::kFormatError;
            sum = static_cast<std::uint8_t>(sum - record.data[i]);
        }
        record.checksum = sum;
        std::uint8_t checksum = 0;
        if (!ReadByte(file, checksum))
            return HexResult::kFormatError;
        // Checked before anything ends the data: a length byte damaged to
        // 00 in the middle of a file must not pass for the end of it.
        if (checksum != sum)
            return HexResult::kChecksumError;

        if (length == 0 || type == kTypeEnd)
            return HexResult::kEndOfData;
        if (type > kTypeLinearStart)
            return HexResult::kFormatError;
        if (type == kTypeData)
            return HexResult::kDataRecord;
        if (type == kTypeSegmentBase || type == kTypeLinearBase) {
            if (length != 2)
                return HexResult::kFormatError;
            if (record.data[0] != 0 || record.data[1] != 0)
                return HexResult::kFormatError;
        }
        // Start addresses (03, 05) and a base of 0: nothing to program; go on.
    }
}

ProgStatus StatusOfEnd(HexResult result) {
    switch (result) {
        case HexResult::kEndOfData:
            return ProgStatus::kOk;
        case HexResult::kChecksumError:
            return ProgStatus::kChecksumError;
        case HexResult::kDataRecord:
        case HexResult::kFormatError:
            break;
    }
    return ProgStatus::kFormatError;
}

}  // namespace qvt
