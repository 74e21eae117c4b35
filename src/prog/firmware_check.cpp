#include "prog/firmware_check.h"

#include "prog/hex_reader.h"

namespace qvt {

ProgStatus CheckHexFile(std::FILE* file, std::size_t imageSize) {
    HexRecord record;
    HexResult result = HexResult::DataRecord;
    while (result == HexResult::DataRecord) {
        result = ReadHexRecord(file, record);
        if (result == HexResult::DataRecord && imageSize != 0 &&
            std::size_t{record.Address} + record.Length > imageSize) {
            result = HexResult::FormatError;
        }
    }
    std::rewind(file);
    return StatusOfEnd(result);
}

}  // namespace qvt
