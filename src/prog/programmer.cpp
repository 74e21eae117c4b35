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
    const char* caption;
};

OutcomeMessage MessageFor(Outcome outcome) {
    switch (outcome) {
        case Outcome::ProgramDone:
            return {"Programmspeicher fehlerfrei Programmiert", "Meldung"};
        case Outcome::BothDone:
            return {"Programm- und Datenspeicher fehlerfrei Programmiert", "Meldung"};
        case Outcome::DataDone:
            return {"Datenspeicher fehlerfrei Programmiert", "Meldung"};
        case Outcome::LockFailed:
            // The chip is programmed but not protected: a failure.
            return {"Fehler beim Sichern des Baustein", "Fehler"};
        case Outcome::Failed:
            break;
    }
    return {"Programmieren fehlgeschlagen", "Fehler"};
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
std::size_t ImageLimit(std::uint16_t chipType, int which) {
    if (chipType != 8253)
        return 0;
    return which == kProgramMemory ? kCodeMemory8253.imageSize() : kDataMemory8253.imageSize();
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
        view.ShowMessage(std::string(kind) + " " + quoted + " nicht gefunden", "Fehler");
        return false;
    }
    switch (CheckHexFile(file.get(), imageLimit)) {
        case kProgOk:
            return true;
        case kProgChecksumError:
            view.ShowMessage("Prüfsumme der Hex-Datei " + quoted + " fehlerhaft", "Fehler");
            return false;
        default:
            view.ShowMessage("Hex-Datei " + quoted + " fehlerhaft", "Fehler");
            return false;
    }
}

}  // namespace

Programmer::Programmer(IspLink& link, std::uint16_t chipType, ProgrammingView& view)
    : link_(link), chipType_(chipType), view_(view) {}

std::string Programmer::ProgressText(int which, const std::string& fileName) {
    const char* memory = which == kProgramMemory ? "Programmspeichers" : "Datenspeichers";
    return std::string("Programmierung des ") + memory + "   mit\n" + fileName + "  läuft";
}

void Programmer::RunProgramming(const std::string& programFileName,
                                const std::string& dataFileName) {
    HexFile programFile;
    HexFile dataFile;
    if (!OpenCheckedHexFile(programFileName, "Programmdatei", ImageLimit(chipType_, kProgramMemory),
                            view_, programFile) ||
        !OpenCheckedHexFile(dataFileName, "Datendatei", ImageLimit(chipType_, kDataMemory), view_,
                            dataFile)) {
        return;
    }

    ProgStatus status = kProgOk;
    if (programFile) {
        status = ProgramMemory(kProgramMemory, programFile.get(), programFileName);
        programFile.reset();
    }

    Outcome outcome = Outcome::Failed;
    if (dataFile && status == kProgOk) {
        status = ProgramMemory(kDataMemory, dataFile.get(), dataFileName);
        dataFile.reset();
        if (status == kProgOk) {
            link_.WriteDataRegister(kIspIdlePattern);
            if (programFileName.empty()) {
                outcome = Outcome::DataDone;
            } else {
                outcome = LockChip() == kProgOk ? Outcome::BothDone : Outcome::LockFailed;
            }
        }
    } else if (status == kProgOk) {
        outcome = LockChip() == kProgOk ? Outcome::ProgramDone : Outcome::LockFailed;
    }

    ClosingSteps();
    const OutcomeMessage message = MessageFor(outcome);
    view_.ShowMessage(message.text, message.caption);
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

ProgStatus Programmer::ProgramMemory(int which, std::FILE* hexFile, const std::string& fileName) {
    if (chipType_ == 8252)
        return ProgramBytes8252(which, hexFile, fileName);
    return ProgramPages8253(which, hexFile, fileName);
}

ProgStatus Programmer::LockChip() {
    if (chipType_ == 8253) {
        if (EnableProgramming8253(link_) != kEnableAnswer)
            return kProgNoEnable;
        WriteLockBits8253(link_);
    } else {
        if (EnableProgramming8252(link_) != kEnableAnswer)
            return kProgNoEnable;
        WriteLockBits8252(link_);
    }
    link_.IspDelay(500);
    link_.WriteDataRegister(kIspIdlePattern);
    return kProgOk;
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
        view_.ShowMessage("Programm- und Datenspeicher gelöscht", "Meldung");
    } else {
        view_.ShowMessage("Löschen nicht möglich", "Fehler");
    }
}

}  // namespace qvt
