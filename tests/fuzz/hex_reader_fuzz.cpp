// Firmware files: the HEX reader, the check before the chip is touched, the
// page mode's memory image and its page marking, for both chips.
#include <cstdio>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "platform/counter.h"
#include "prog/firmware_check.h"
#include "prog/hex_reader.h"
#include "prog/isp_link.h"
#include "prog/memory_geometry.h"
#include "prog/page_marking.h"
#include "prog/parallel_cable.h"
#include "prog/port_io.h"
#include "prog/programmer.h"
#include "prog/programming_view.h"

namespace {

using namespace qvt;

// Every busy wait ends at the first look again.
class LeapingCounter : public Counter {
  public:
    std::int64_t Frequency() const override { return 10'000'000; }
    std::int64_t Now() override { return now_ += 1'000'000'000; }

  private:
    std::int64_t now_ = 0;
};

class SilentView : public ProgrammingView {
  public:
    void ShowProgress(const std::string&) override {}
    void SetProgressMaximum(int) override {}
    void SetProgressPosition(int) override {}
    void HideProgress() override {}
    void ShowMessage(const std::string&, Severity) override {}
    bool AbortRequested() override { return false; }
};

// An 8253 on a cable without a port: it never answers the enable, so the
// page mode collects the whole file into its image and stops there.
struct SilentChip {
    LeapingCounter counter;
    PortIo io;
    ParallelCable cable{io, counter, 0x378};
    IspLink link{cable};
    SilentView view;
    Programmer programmer{link, Chip::k8253, view};
};

bool IsFileResult(ProgStatus status) {
    return status == ProgStatus::kOk || status == ProgStatus::kFormatError ||
           status == ProgStatus::kChecksumError;
}

// The page mode's image: a file that passed the check collects without
// complaint, one that failed it ends with the same status, and no record
// writes outside the image (AddressSanitizer watches the image's edges).
void CheckPageMode(SilentChip& chip, std::FILE* file, ChipMemory which,
                   const MemoryGeometry& memory) {
    const ProgStatus checked = CheckHexFile(file, memory.imageSize());
    const ProgStatus programmed = chip.programmer.ProgramPages8253(which, file, "fuzz.hex");
    FUZZ_CHECK(programmed == (checked == ProgStatus::kOk ? ProgStatus::kNoEnable : checked));
    std::rewind(file);
}

// No byte of a record is left out: its pages are marked, and nothing before
// them or more than one page after them.
void CheckMarking(const HexRecord& record, const MemoryGeometry& memory) {
    std::vector<bool> used(memory.pages, false);
    MarkRecordPages(used, memory, record.address, record.length);
    const std::size_t first = record.address / memory.pageSize;
    const std::size_t last = (std::size_t{record.address} + record.length) / memory.pageSize;
    for (std::size_t page = 0; page < used.size(); ++page) {
        if (page < first || page > last + 1)
            FUZZ_CHECK(!used[page]);
    }
    for (std::size_t i = 0; i < record.length; ++i) {
        const std::size_t address = std::size_t{record.address} + i;
        if (address < memory.imageSize())
            FUZZ_CHECK(used[address / memory.pageSize]);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static qvt::fuzz::MemoryFile input;
    static SilentChip chip;
    input.Fill(data, size);
    std::FILE* file = std::fopen(input.path().c_str(), "rb");
    FUZZ_CHECK(file != nullptr);

    // The 8252 folds every address onto its memory (no limit), the 8253 keeps
    // images of its two memories.
    for (std::size_t limit :
         {std::size_t{0}, kCodeMemory8253.imageSize(), kDataMemory8253.imageSize()}) {
        FUZZ_CHECK(IsFileResult(CheckHexFile(file, limit)));
        FUZZ_CHECK(std::ftell(file) == 0);
    }
    CheckPageMode(chip, file, ChipMemory::kProgram, kCodeMemory8253);
    CheckPageMode(chip, file, ChipMemory::kData, kDataMemory8253);

    HexRecord record;
    while (ReadHexRecord(file, record) == HexResult::kDataRecord) {
        CheckMarking(record, kCodeMemory8253);
        CheckMarking(record, kDataMemory8253);
    }
    std::fclose(file);
    return 0;
}
