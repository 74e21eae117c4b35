#include "prog/programmer.h"

#include <memory>

#include "platform/any_case_file.h"
#include "prog/isp_instructions.h"
#include "prog/isp_link.h"
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

}  // namespace

Programmer::Programmer(IspLink& link, std::uint16_t chipType, ProgrammingView& view)
    : link_(link), chipType_(chipType), view_(view) {}

std::string Programmer::ProgressText(int which, const std::string& fileName) {
    const char* memory = which == kProgramMemory ? "Programmspeichers" : "Datenspeichers";
    return std::string("Programmierung des ") + memory + "   mit\n" + fileName + "  läuft";
}

void Programmer::RunProgramming(const std::string& programFileName,
                                const std::string& dataFileName) {
    ProgStatus status = kProgOk;
    if (!programFileName.empty()) {
        HexFile file = OpenHexFile(programFileName);
        if (!file) {
            view_.ShowMessage("Programmdatei \"" + programFileName + "\" nicht gefunden", "Fehler");
            return;
        }
        status = ProgramMemory(kProgramMemory, file.get(), programFileName);
    }

    Outcome outcome = Outcome::Failed;
    if (!dataFileName.empty() && status == kProgOk) {
        HexFile file = OpenHexFile(dataFileName);
        if (!file) {
            // The program memory may already be written: release the chip
            // from reset before telling the user.
            if (!programFileName.empty())
                ClosingSteps();
            view_.ShowMessage("Datendatei \"" + dataFileName + "\" nicht gefunden", "Fehler");
            return;
        }
        status = ProgramMemory(kDataMemory, file.get(), dataFileName);
        file.reset();
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
