#include "prog/firmware_check.h"

#include "prog/hex_reader.h"

namespace qvt {

FirmwareFault FindFirmwareFault(std::FILE* file, std::size_t memorySize) {
    HexRecord record;
    HexResult result = HexResult::kDataRecord;
    bool tooLarge = false;
    while (result == HexResult::kDataRecord && !tooLarge) {
        result = ReadHexRecord(file, record);
        tooLarge = result == HexResult::kDataRecord && memorySize != 0 &&
                   std::size_t{record.address} + record.length > memorySize;
    }
    // The reader sees a failed read as the end of the file; only the
    // stream's error flag tells the two apart (rewind clears it).
    const bool readError = std::ferror(file) != 0;
    std::rewind(file);
    if (tooLarge)
        return FirmwareFault::kTooLarge;
    if (readError)
        return FirmwareFault::kReadError;
    switch (result) {
        case HexResult::kEndOfData:
            return FirmwareFault::kNone;
        case HexResult::kChecksumError:
            return FirmwareFault::kChecksum;
        case HexResult::kDataRecord:
        case HexResult::kFormatError:
            break;
    }
    return FirmwareFault::kFormat;
}

ProgStatus CheckHexFile(std::FILE* file, std::size_t memorySize) {
    switch (FindFirmwareFault(file, memorySize)) {
        case FirmwareFault::kNone:
            return ProgStatus::kOk;
        case FirmwareFault::kChecksum:
            return ProgStatus::kChecksumError;
        case FirmwareFault::kFormat:
        case FirmwareFault::kReadError:
        case FirmwareFault::kTooLarge:
            break;
    }
    return ProgStatus::kFormatError;
}

}  // namespace qvt
