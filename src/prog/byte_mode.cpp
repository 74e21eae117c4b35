// Chip 8252: every byte written on its own and polled until it reads back.
#include "prog/hex_reader.h"
#include "prog/isp_instructions.h"
#include "prog/isp_link.h"
#include "prog/memory_geometry.h"
#include "prog/programmer.h"
#include "prog/programming_view.h"

namespace qvt {
namespace {

int FileLength(std::FILE* file) {
    std::fseek(file, 0, SEEK_END);
    const long length = std::ftell(file);
    std::fseek(file, 0, SEEK_SET);
    return static_cast<int>(length);
}

}  // namespace

ProgStatus Programmer::ProgramBytes8252(ChipMemory which, std::FILE* hexFile,
                                        const std::string& fileName) {
    if (EnableProgramming8252(link_) != kEnableAnswer)
        return ProgStatus::kNoEnable;
    view_.ShowProgress(ProgressText(which, fileName));
    view_.SetProgressMaximum(FileLength(hexFile));

    auto write = which == ChipMemory::kProgram ? WriteCode8252 : WriteData8252;
    HexRecord record;
    ProgStatus status = ProgStatus::kOk;
    for (bool reading = true; reading;) {
        const HexResult result = ReadHexRecord(hexFile, record);
        if (result != HexResult::kDataRecord) {
            status = StatusOfEnd(result);  // end of data, format or checksum error
            break;
        }
        // Its byte instructions would fold such bytes onto the low addresses.
        const ChipProfile& profile = ProfileOf(chip_);
        const std::size_t size =
            which == ChipMemory::kProgram ? profile.codeSize : profile.dataSize;
        if (std::size_t{record.address} + record.length > size) {
            status = ProgStatus::kFormatError;
            break;
        }
        for (int i = 0; i < record.length; ++i) {
            const auto address = static_cast<std::uint16_t>(record.address + i);
            std::uint8_t failed = write(link_, address, record.data[i]);
            if (failed)
                failed = write(link_, address, record.data[i]);
            view_.SetProgressPosition(static_cast<int>(std::ftell(hexFile)));
            if (failed) {
                status = ProgStatus::kWriteFailed;
                reading = false;
                break;
            }
            if (view_.AbortRequested()) {
                status = ProgStatus::kAborted;
                reading = false;
                break;
            }
        }
    }
    view_.HideProgress();
    return status;
}

}  // namespace qvt
