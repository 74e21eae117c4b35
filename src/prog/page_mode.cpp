// Chip 8253: the whole file collected into a memory image, then every used
// page written with one instruction and compared with one read-page. The
// data memory is not erased first, so a data page keeps the chip's own bytes
// wherever the file has none for it.
#include <algorithm>
#include <array>
#include <vector>

#include "prog/hex_reader.h"
#include "prog/isp_instructions.h"
#include "prog/isp_link.h"
#include "prog/memory_geometry.h"
#include "prog/page_marking.h"
#include "prog/programmer.h"
#include "prog/programming_view.h"

namespace qvt {
namespace {

constexpr int kPageAttempts = 3;
constexpr int kPagePolls = 50;

// A page counts as written when its first byte reads back and then the whole
// page compares equal. A batched cable plans for the usual case, a write
// finished within its wait: the first byte's read, the page read and the wait
// after it go out together with the page write before them, so a page costs
// one batch. Only a first byte that does not read back yet falls back to
// polling it.
bool PageWritten(IspLink& link, const MemoryGeometry& memory, bool program, std::uint16_t address,
                 const std::uint8_t* expected) {
    int poll = 0;
    if (link.batched()) {
        const IspLink::PendingByte first =
            program ? QueueReadCode8253(link, address) : QueueReadData8253(link, address);
        std::array<IspLink::PendingByte, 64> page{};
        QueueReadPage8253(link, memory, address, page.data());
        link.IspDelay(50);
        if (!link.Flush())
            return false;
        if (link.ResultOf(first) == expected[0]) {
            for (std::uint16_t i = 0; i < memory.pageSize; ++i) {
                if (link.ResultOf(page[i]) != expected[i])
                    return false;
            }
            return true;
        }
        poll = 1;
    }
    for (; poll < kPagePolls; ++poll) {
        const std::uint8_t first =
            program ? ReadCode8253(link, address) : ReadData8253(link, address);
        if (first != expected[0])
            continue;
        std::array<std::uint8_t, 64> actual{};
        ReadPage8253(link, memory, address, actual.data());
        const bool same = std::equal(expected, expected + memory.pageSize, actual.data());
        link.IspDelay(50);
        return same;
    }
    return false;
}

// Fills the cells of a page that no record supplied with what the chip holds
// there now, so that rewriting the whole page changes only the file's bytes.
void KeepChipBytes(IspLink& link, const MemoryGeometry& memory, std::uint16_t address,
                   std::uint8_t* page, std::vector<bool>::const_iterator fromFile) {
    if (std::all_of(fromFile, fromFile + memory.pageSize, [](bool b) { return b; }))
        return;
    std::array<std::uint8_t, 64> chip{};
    ReadPage8253(link, memory, address, chip.data());
    for (std::uint16_t i = 0; i < memory.pageSize; ++i) {
        if (!fromFile[i])
            page[i] = chip[i];
    }
}

}  // namespace

ProgStatus Programmer::ProgramPages8253(ChipMemory which, std::FILE* hexFile,
                                        const std::string& fileName) {
    const bool program = which == ChipMemory::kProgram;
    const MemoryGeometry& memory = program ? kCodeMemory8253 : kDataMemory8253;

    view_.ShowProgress(ProgressText(which, fileName));
    view_.SetProgressPosition(0);

    std::vector<std::uint8_t> image(memory.imageSize(), 0xFF);
    std::vector<bool> used(memory.pages, false);
    std::vector<bool> fromFile(memory.imageSize(), false);
    HexRecord record;
    for (;;) {
        const HexResult result = ReadHexRecord(hexFile, record);
        if (result == HexResult::kEndOfData)
            break;
        if (result != HexResult::kDataRecord)
            return StatusOfEnd(result);
        // Bytes beyond the chip's memory cannot be what the file means.
        if (std::size_t{record.address} + record.length > image.size())
            return ProgStatus::kFormatError;
        MarkRecordPages(used, memory, record.address, record.length);
        std::copy_n(record.data.begin(), record.length, image.begin() + record.address);
        std::fill_n(fromFile.begin() + record.address, record.length, true);
    }
    view_.SetProgressMaximum(static_cast<int>(std::count(used.begin(), used.end(), true)));

    if (EnableProgramming8253(link_) != kEnableAnswer)
        return ProgStatus::kNoEnable;
    if (program) {
        ChipErase8253(link_);
        link_.IspDelay(5000);
    }

    int done = 0;
    for (std::uint16_t page = 0; page < memory.pages; ++page) {
        if (!used[page])
            continue;
        const auto address = static_cast<std::uint16_t>(page * memory.pageSize);
        std::uint8_t* bytes = image.data() + address;
        if (!program)
            KeepChipBytes(link_, memory, address, bytes, fromFile.cbegin() + address);
        for (int attempt = 1;; ++attempt) {
            WritePage8253(link_, memory, address, bytes);
            link_.IspDelay(400);
            if (PageWritten(link_, memory, program, address, bytes))
                break;
            if (link_.failed())
                return ProgStatus::kCableFailed;
            if (attempt == kPageAttempts)
                return ProgStatus::kWriteFailed;
        }
        view_.SetProgressPosition(++done);
        // ESC ends the run between pages, never inside one: the pages so far
        // are whole and verified.
        if (view_.AbortRequested())
            return ProgStatus::kAborted;
    }
    return ProgStatus::kOk;
}

}  // namespace qvt
