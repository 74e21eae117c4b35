#include "prog/programmer.h"

#include <cerrno>
#include <memory>

#include "platform/error_reason.h"
#include "prog/firmware_check.h"
#include "prog/firmware_file.h"
#include "prog/isp_instructions.h"
#include "prog/isp_link.h"
#include "prog/memory_geometry.h"
#include "prog/programming_view.h"

namespace qvt {
namespace {

enum class Outcome { kProgramDone, kBothDone, kDataDone, kLockFailed, kFailed };

struct OutcomeMessage {
    const char* text;
    Severity severity;
};

OutcomeMessage MessageFor(Outcome outcome) {
    switch (outcome) {
        case Outcome::kProgramDone:
            return {"Programmspeicher fehlerfrei Programmiert", Severity::kInfo};
        case Outcome::kBothDone:
            return {"Programm- und Datenspeicher fehlerfrei Programmiert", Severity::kInfo};
        case Outcome::kDataDone:
            return {"Datenspeicher fehlerfrei Programmiert", Severity::kInfo};
        case Outcome::kLockFailed:
            // The chip is programmed but not protected: a failure.
            return {"Fehler beim Sichern des Baustein", Severity::kError};
        case Outcome::kFailed:
            break;
    }
    return {"Programmieren fehlgeschlagen", Severity::kError};
}

// What the chip holds: a file with bytes beyond it cannot be what the chip is
// meant to run. The 8252's byte instructions would fold them onto its low
// addresses and overwrite what was written there, and its verification would
// read back the overwriting bytes and pass.
std::size_t MemorySize(Chip chip, ChipMemory which) {
    const ChipProfile& profile = ProfileOf(chip);
    return which == ChipMemory::kData ? profile.dataSize : profile.codeSize;
}

// Opens a named firmware file and reads it through once, so that a file that
// is missing, unreadable, broken or too large for the chip is told before the
// chip is erased or written, never halfway through. An empty name needs no
// file.
bool OpenCheckedHexFile(const std::string& name, ChipMemory which, Chip chip, ProgrammingView& view,
                        UniqueFile& file) {
    if (name.empty())
        return true;
    const bool program = which == ChipMemory::kProgram;
    const std::string quoted = "\"" + name + "\"";
    const std::string kind = program ? "Programmdatei " : "Datendatei ";
    FirmwareFile opened = OpenFirmwareFile(name);
    if (!opened.file) {
        view.ShowMessage(kind + quoted + " " + opened.problem, Severity::kError);
        return false;
    }
    file = std::move(opened.file);
    const std::size_t size = MemorySize(chip, which);
    switch (FindFirmwareFault(file.get(), size)) {
        case FirmwareFault::kNone:
            return true;
        case FirmwareFault::kChecksum:
            view.ShowMessage("Prüfsumme der Hex-Datei " + quoted + " fehlerhaft", Severity::kError);
            return false;
        case FirmwareFault::kReadError:
            view.ShowMessage(kind + quoted + " kann nicht gelesen werden: " + ErrorReason(EIO),
                             Severity::kError);
            return false;
        case FirmwareFault::kTooLarge:
            view.ShowMessage(kind + quoted + " passt nicht in den " +
                                 (program ? "Programmspeicher" : "Datenspeicher") + " des " +
                                 std::to_string(ChipNumber(chip)) + " (" + std::to_string(size) +
                                 " Bytes)",
                             Severity::kError);
            return false;
        case FirmwareFault::kFormat:
            break;
    }
    view.ShowMessage("Hex-Datei " + quoted + " fehlerhaft", Severity::kError);
    return false;
}

}  // namespace

Programmer::Programmer(IspLink& link, Chip chip, ProgrammingView& view)
    : link_(link), chip_(chip), view_(view) {}

std::string Programmer::ProgressText(ChipMemory which, const std::string& fileName) {
    const char* memory = which == ChipMemory::kProgram ? "Programmspeichers" : "Datenspeichers";
    return std::string("Programmierung des ") + memory + "   mit\n" + fileName + "  läuft";
}

void Programmer::RunProgramming(const std::string& programFileName,
                                const std::string& dataFileName) {
    UniqueFile programFile;
    UniqueFile dataFile;
    if (!OpenCheckedHexFile(programFileName, ChipMemory::kProgram, chip_, view_, programFile) ||
        !OpenCheckedHexFile(dataFileName, ChipMemory::kData, chip_, view_, dataFile)) {
        return;
    }

    ProgStatus status = ProgStatus::kOk;
    if (programFile) {
        status = ProgramMemory(ChipMemory::kProgram, programFile.get(), programFileName);
        programFile.reset();
    }

    Outcome outcome = Outcome::kFailed;
    if (dataFile && status == ProgStatus::kOk) {
        status = ProgramMemory(ChipMemory::kData, dataFile.get(), dataFileName);
        dataFile.reset();
        if (status == ProgStatus::kOk) {
            link_.SetLines(kIspIdlePattern);
            if (programFileName.empty()) {
                outcome = Outcome::kDataDone;
            } else {
                outcome = LockChip() == ProgStatus::kOk ? Outcome::kBothDone : Outcome::kLockFailed;
            }
        }
    } else if (status == ProgStatus::kOk) {
        outcome = LockChip() == ProgStatus::kOk ? Outcome::kProgramDone : Outcome::kLockFailed;
    }

    ClosingSteps();
    // A cable that failed on the way may have read anything: nothing it
    // answered counts, however the steps ended.
    if (link_.failed()) {
        view_.ShowMessage(std::string(MessageFor(Outcome::kFailed).text) + ": " + link_.fault(),
                          Severity::kError);
        return;
    }
    const OutcomeMessage message = MessageFor(outcome);
    view_.ShowMessage(message.text, message.severity);
}

// Leaves the chip running: idle pattern, then an enable of the 8252 kind
// (whatever the chip) as a reset sequence, and the idle pattern again.
void Programmer::ClosingSteps() {
    view_.HideProgress();
    link_.SetLines(kIspIdlePattern);
    link_.IspDelay(2000);
    EnableProgramming8252(link_);
    link_.IspDelay(2000);
    link_.SetLines(kIspIdlePattern);
    link_.Flush();
}

ProgStatus Programmer::ProgramMemory(ChipMemory which, std::FILE* hexFile,
                                     const std::string& fileName) {
    if (ProfileOf(chip_).writesPages())
        return ProgramPages8253(which, hexFile, fileName);
    return ProgramBytes8252(which, hexFile, fileName);
}

ProgStatus Programmer::LockChip() {
    const IspInstructionSet& isp = IspInstructionsFor(chip_);
    if (isp.enableProgramming(link_) != kEnableAnswer)
        return ProgStatus::kNoEnable;
    isp.writeLockBits(link_);
    link_.IspDelay(500);
    link_.SetLines(kIspIdlePattern);
    link_.Flush();
    return link_.failed() ? ProgStatus::kCableFailed : ProgStatus::kOk;
}

bool Programmer::EraseChip() {
    const ChipProfile& profile = ProfileOf(chip_);
    const IspInstructionSet& isp = IspInstructionsFor(chip_);
    if (isp.enableProgramming(link_) != kEnableAnswer)
        return false;
    isp.chipErase(link_);
    link_.IspDelay(profile.eraseMicroseconds);
    if (profile.enableAgainAfterErase) {
        link_.SetLines(kIspIdlePattern);
        link_.IspDelay(2000);
        isp.enableProgramming(link_);
    }
    // A failed cable reads MISO high, which would pass for an erased cell.
    if (isp.readCode(link_, profile.eraseCheckAddress) == 0xFF && !link_.failed())
        return true;
    link_.SetLines(kIspIdlePattern);
    return false;
}

void Programmer::EraseWithMessage() {
    const bool erased = EraseChip();
    // Also after a chip that did not answer: never leave it held in reset.
    link_.SetLines(kIspIdlePattern);
    link_.Flush();
    if (erased) {
        view_.ShowMessage("Programm- und Datenspeicher gelöscht", Severity::kInfo);
    } else if (link_.failed()) {
        view_.ShowMessage("Löschen nicht möglich: " + link_.fault(), Severity::kError);
    } else {
        view_.ShowMessage("Löschen nicht möglich", Severity::kError);
    }
}

}  // namespace qvt
