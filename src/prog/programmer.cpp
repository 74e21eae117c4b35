#include "prog/programmer.h"

#include <memory>

#include "platform/any_case_file.h"
#include "prog/firmware_check.h"
#include "prog/isp_instructions.h"
#include "prog/isp_link.h"
#include "prog/memory_geometry.h"
#include "prog/programming_view.h"

namespace qvt {
namespace {

enum class Outcome { ProgramDone, BothDone, DataDone, LockFailed, Failed };

struct OutcomeMessage {
    const char* text;
    Severity severity;
};

OutcomeMessage MessageFor(Outcome outcome) {
    switch (outcome) {
        case Outcome::ProgramDone:
            return {"Programmspeicher fehlerfrei Programmiert", Severity::Info};
        case Outcome::BothDone:
            return {"Programm- und Datenspeicher fehlerfrei Programmiert", Severity::Info};
        case Outcome::DataDone:
            return {"Datenspeicher fehlerfrei Programmiert", Severity::Info};
        case Outcome::LockFailed:
            // The chip is programmed but not protected: a failure.
            return {"Fehler beim Sichern des Baustein", Severity::Error};
        case Outcome::Failed:
            break;
    }
    return {"Programmieren fehlgeschlagen", Severity::Error};
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using HexFile = std::unique_ptr<std::FILE, FileCloser>;

// The name as the catalogue or the user gave it, in whatever letter case
// the file was stored.
HexFile OpenHexFile(const std::string& name) {
    return HexFile(std::fopen(FindFileAnyCase(name).c_str(), "rb"));
}

// The page mode collects a memory into an image of fixed size; the byte mode
// folds higher addresses onto the chip and needs no limit.
std::size_t ImageLimit(std::uint16_t chipType, ChipMemory which) {
    if (chipType != 8253)
        return 0;
    return which == ChipMemory::Program ? kCodeMemory8253.imageSize() : kDataMemory8253.imageSize();
}

// Opens a named firmware file and reads it through once, so that a file that
// is missing or broken is told before the chip is erased or written, never
// halfway through. An empty name needs no file.
bool OpenCheckedHexFile(const std::string& name, const char* kind, std::size_t imageLimit,
                        ProgrammingView& view, HexFile& file) {
    if (name.empty())
        return true;
    const std::string quoted = "\"" + name + "\"";
    file = OpenHexFile(name);
    if (!file) {
        view.ShowMessage(std::string(kind) + " " + quoted + " nicht gefunden", Severity::Error);
        return false;
    }
    switch (CheckHexFile(file.get(), imageLimit)) {
        case ProgStatus::Ok:
            return true;
        case ProgStatus::ChecksumError:
            view.ShowMessage("Prüfsumme der Hex-Datei " + quoted + " fehlerhaft", Severity::Error);
            return false;
        default:
            view.ShowMessage("Hex-Datei " + quoted + " fehlerhaft", Severity::Error);
            return false;
    }
}

}  // namespace

Programmer::Programmer(IspLink& link, std::uint16_t chipType, ProgrammingView& view)
    : link_(link), chipType_(chipType), view_(view) {}

std::string Programmer::ProgressText(ChipMemory which, const std::string& fileName) {
    const char* memory = which == ChipMemory::Program ? "Programmspeichers" : "Datenspeichers";
    return std::string("Programmierung des ") + memory + "   mit\n" + fileName + "  läuft";
}

void Programmer::RunProgramming(const std::string& programFileName,
                                const std::string& dataFileName) {
    HexFile programFile;
    HexFile dataFile;
    if (!OpenCheckedHexFile(programFileName, "Programmdatei",
                            ImageLimit(chipType_, ChipMemory::Program), view_, programFile) ||
        !OpenCheckedHexFile(dataFileName, "Datendatei", ImageLimit(chipType_, ChipMemory::Data),
                            view_, dataFile)) {
        return;
    }

    ProgStatus status = ProgStatus::Ok;
    if (programFile) {
        status = ProgramMemory(ChipMemory::Program, programFile.get(), programFileName);
        programFile.reset();
    }

    Outcome outcome = Outcome::Failed;
    if (dataFile && status == ProgStatus::Ok) {
        status = ProgramMemory(ChipMemory::Data, dataFile.get(), dataFileName);
        dataFile.reset();
        if (status == ProgStatus::Ok) {
            link_.WriteDataRegister(kIspIdlePattern);
            if (programFileName.empty()) {
                outcome = Outcome::DataDone;
            } else {
                outcome = LockChip() == ProgStatus::Ok ? Outcome::BothDone : Outcome::LockFailed;
            }
        }
    } else if (status == ProgStatus::Ok) {
        outcome = LockChip() == ProgStatus::Ok ? Outcome::ProgramDone : Outcome::LockFailed;
    }

    ClosingSteps();
    const OutcomeMessage message = MessageFor(outcome);
    view_.ShowMessage(message.text, message.severity);
}

// Leaves the chip running: idle pattern, then an enable of the 8252 kind
// (whatever the chip) as a reset sequence, and the idle pattern again.
void Programmer::ClosingSteps() {
    view_.HideProgress();
    link_.WriteDataRegister(kIspIdlePattern);
    link_.IspDelay(2000);
    EnableProgramming8252(link_);
    link_.IspDelay(2000);
    link_.WriteDataRegister(kIspIdlePattern);
}

ProgStatus Programmer::ProgramMemory(ChipMemory which, std::FILE* hexFile,
                                     const std::string& fileName) {
    if (chipType_ == 8252)
        return ProgramBytes8252(which, hexFile, fileName);
    return ProgramPages8253(which, hexFile, fileName);
}

ProgStatus Programmer::LockChip() {
    if (chipType_ == 8253) {
        if (EnableProgramming8253(link_) != kEnableAnswer)
            return ProgStatus::NoEnable;
        WriteLockBits8253(link_);
    } else {
        if (EnableProgramming8252(link_) != kEnableAnswer)
            return ProgStatus::NoEnable;
        WriteLockBits8252(link_);
    }
    link_.IspDelay(500);
    link_.WriteDataRegister(kIspIdlePattern);
    return ProgStatus::Ok;
}

bool Programmer::EraseChip() {
    if (chipType_ == 8253) {
        if (EnableProgramming8253(link_) != kEnableAnswer)
            return false;
        ChipErase8253(link_);
        link_.IspDelay(3000);
        if (ReadCode8253(link_, 0) == 0xFF)
            return true;
    } else {
        if (EnableProgramming8252(link_) != kEnableAnswer)
            return false;
        ChipErase8252(link_);
        link_.IspDelay(2000);
        link_.WriteDataRegister(kIspIdlePattern);
        link_.IspDelay(2000);
        EnableProgramming8252(link_);
        if (ReadCode8252(link_, 100) == 0xFF)
            return true;
    }
    link_.WriteDataRegister(kIspIdlePattern);
    return false;
}

void Programmer::EraseWithMessage() {
    const bool erased = EraseChip();
    // Also after a chip that did not answer: never leave it held in reset.
    link_.WriteDataRegister(kIspIdlePattern);
    if (erased) {
        view_.ShowMessage("Programm- und Datenspeicher gelöscht", Severity::Info);
    } else {
        view_.ShowMessage("Löschen nicht möglich", Severity::Error);
    }
}

}  // namespace qvt
