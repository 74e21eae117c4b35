#include "prog/firmware_check.h"

#include "prog/hex_reader.h"

namespace qvt {

FirmwareFault FindFirmwareFault(std::FILE* file, std::size_t memorySize) {
    HexRecord record;
    HexResult result = HexResult::DataRecord;
    bool tooLarge = false;
    while (result == HexResult::DataRecord && !tooLarge) {
        result = ReadHexRecord(file, record);
        tooLarge = result == HexResult::DataRecord && memorySize != 0 &&
                   std::size_t{record.Address} + record.Length > memorySize;
    }
    // The reader sees a failed read as the end of the file; only the
    // stream's error flag tells the two apart (rewind clears it).
    const bool readError = std::ferror(file) != 0;
    std::rewind(file);
    if (tooLarge)
        return FirmwareFault::TooLarge;
    if (readError)
        return FirmwareFault::ReadError;
    switch (result) {
        case HexResult::EndOfData:
            return FirmwareFault::None;
        case HexResult::ChecksumError:
            return FirmwareFault::Checksum;
        case HexResult::DataRecord:
        case HexResult::FormatError:
            break;
    }
    return FirmwareFault::Format;
}

ProgStatus CheckHexFile(std::FILE* file, std::size_t memorySize) {
    switch (FindFirmwareFault(file, memorySize)) {
        case FirmwareFault::None:
            return ProgStatus::Ok;
        case FirmwareFault::Checksum:
            return ProgStatus::ChecksumError;
        case FirmwareFault::Format:
        case FirmwareFault::ReadError:
        case FirmwareFault::TooLarge:
            break;
    }
    return ProgStatus::FormatError;
}

}  // namespace qvt
