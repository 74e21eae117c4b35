// Chip 8252: every byte written on its own and polled until it reads back.
#include <vector>

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

    const ByteWrite8252& write =
        which == ChipMemory::kProgram ? ByteWriteCode8252() : ByteWriteData8252();
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
        // A batched cable sends the record's writes, each with its wait and
        // one read-back, in one go; a byte that did not read back yet is
        // polled on its own afterwards.
        std::vector<std::uint8_t> readBacks;
        if (link_.batched()) {
            std::vector<IspLink::PendingByte> pending;
            for (int i = 0; i < record.length; ++i) {
                const auto address = static_cast<std::uint16_t>(record.address + i);
                write.sendWrite(link_, address, record.data[i]);
                pending.push_back(write.queueReadBack(link_, address));
            }
            link_.Flush();
            for (const IspLink::PendingByte& p : pending) readBacks.push_back(link_.ResultOf(p));
        }
        for (int i = 0; i < record.length; ++i) {
            const auto address = static_cast<std::uint16_t>(record.address + i);
            const std::uint8_t data = record.data[i];
            std::uint8_t failed = 0;
            if (readBacks.empty()) {
                write.sendWrite(link_, address, data);
                failed = PollWritten8252(link_, write, address, data, 0);
            } else if (readBacks[i] != data) {
                link_.IspDelay(write.pollPause);
                failed = PollWritten8252(link_, write, address, data, 1);
            }
            if (failed) {
                write.sendWrite(link_, address, data);
                failed = PollWritten8252(link_, write, address, data, 0);
            }
            view_.SetProgressPosition(static_cast<int>(std::ftell(hexFile)));
            if (link_.failed()) {
                status = ProgStatus::kCableFailed;
                reading = false;
                break;
            }
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
