#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "core/chip.h"
#include "prog/prog_status.h"

namespace qvt {

class IspLink;
class ProgrammingView;

// The chip's two memories.
enum class ChipMemory { kData = 0, kProgram = 1 };

// The operations of the programming menu on one chip: program the program
// memory and the data memory from Intel HEX files and verify them, lock the
// chip, erase it. Chip 8252 is programmed byte by byte with read-back polling,
// chip 8253 page by page with a read-back comparison of each page.
class Programmer {
  public:
    Programmer(IspLink& link, Chip chip, ProgrammingView& view);

    // Programs the program file (if named), then the data file (if named and
    // the program memory succeeded), then locks the chip when a program was
    // written; returns the port to idle and shows the outcome. Both files are
    // read through first: one that is missing, unreadable (a pipe or device
    // included, which is never waited on), broken, or holds bytes beyond the
    // chosen chip's memory is told by name and nothing reaches the chip. File
    // names are opened relative to the working directory, in any letter case
    // when the exact name is not there.
    void RunProgramming(const std::string& programFileName, const std::string& dataFileName);

    // One memory from an open HEX file.
    ProgStatus ProgramMemory(ChipMemory which, std::FILE* hexFile, const std::string& fileName);
    ProgStatus ProgramBytes8252(ChipMemory which, std::FILE* hexFile, const std::string& fileName);
    ProgStatus ProgramPages8253(ChipMemory which, std::FILE* hexFile, const std::string& fileName);

    // Ok when the lock instruction was sent, NoEnable when the chip did not answer.
    ProgStatus LockChip();
    // True when the chip reads back as erased at its check address.
    bool EraseChip();
    // The menu command: erase, and tell the user how it went.
    void EraseWithMessage();

    // "Programmierung des ...speichers   mit\n<file>  läuft"
    static std::string ProgressText(ChipMemory which, const std::string& fileName);

  private:
    void ClosingSteps();

    IspLink& link_;
    Chip chip_;
    ProgrammingView& view_;
};

}  // namespace qvt
