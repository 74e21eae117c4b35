#include "prog/firmware_check.h"

#include "prog/hex_reader.h"

namespace qvt {

ProgStatus CheckHexFile(std::FILE* file, std::size_t imageSize) {
    HexRecord record;
    ProgStatus result = kHexDataRecord;
    while (result == kHexDataRecord) {
        result = ReadHexRecord(file, record);
        if (result == kHexDataRecord && imageSize != 0 &&
            std::size_t{record.Address} + record.Length > imageSize) {
            result = kProgFormatError;
        }
    }
    std::rewind(file);
    return result;
}

}  // namespace qvt
