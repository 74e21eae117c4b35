// program and erase: the programming menu's sequences on the chip behind the
// programming cable, with the console as their progress box.
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

#include "commands.h"
#include "compose/chip_access.h"
#include "console_progress.h"
#include "exit_code.h"
#include "interrupt.h"
#include "platform/process_runner.h"
#include "prog/external_programmer.h"
#include "prog/firmware_catalogue.h"
#include "prog/programmer.h"

namespace cli {
namespace {

// Names compare without the mnemonic's "&" and in any letter case.
std::string Comparable(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), '&'), text.end());
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// An empty name names nothing, not an entry without a caption.
bool Names(const std::string& wanted, const char* itemName, const char* caption) {
    const std::string name = Comparable(wanted);
    return !name.empty() && (name == Comparable(itemName) || name == Comparable(caption));
}

// Why the programming menu does not offer the entry for this edition; empty
// when it does. The menu hides an entry either by design (its firmware is not
// made yet) or for the network edition, which it does not exist for.
std::string NotOffered(const qvt::CatalogueEntry& entry, std::uint8_t networkDevice) {
    if (qvt::ShownFor(entry.offer, networkDevice))
        return {};
    if (qvt::Has(entry.offer, qvt::OfferRule::kNoFirmwareYet))
        return "das Menü zeigt diesen Eintrag nie";
    return "das Menü zeigt diesen Eintrag nicht für ein Netzwerkgerät";
}

// The chip the run is for: as at the program's start unless named (the
// argument check has accepted only a chip's number).
qvt::Chip ChipOf(const Invocation& call) {
    if (!call.Has("--chip"))
        return qvt::kDefaultChip;
    return qvt::ChipFromNumber(std::stol(call.Option("--chip"))).value_or(qvt::kDefaultChip);
}

// The chip behind the parallel port, reached as the application reaches it,
// with the port access and chip the options name; the cable starts idle.
class ChipRun {
  public:
    ChipRun(const Invocation& call, Session& session)
        : session_(session), access_(session.settings, "qvt410-cli") {
        if (call.Has("--access"))
            session.settings.parallelAccess = *qvt::ParseParallelAccess(call.Option("--access"));
        // The argument check has accepted only a cable that parses.
        if (call.Has("--cable"))
            session.settings.cable = *qvt::ParseCableChoice(call.Option("--cable"));
        session.state.SetChip(ChipOf(call));
        access_.Open(session.state.lptBase);
        access_.WriteIdlePattern(session.state.lptBase);
        // Only now: the link goes through the cable that Open chose.
        link_.emplace(access_.LinkAt(session.state.lptBase));
    }

    qvt::Programmer Programmer(qvt::ProgrammingView& view) {
        return qvt::Programmer(*link_, session_.state.chip(), view);
    }

  private:
    Session& session_;
    qvt::ChipAccess access_;
    std::optional<qvt::IspLink> link_;
};

int ExitCodeOf(const ConsoleProgress& view) {
    if (view.aborted())
        return kInterrupted;
    if (view.failedBeforeStart())
        return kBadFile;
    return view.failed() ? kProgramFailed : kSuccess;
}

// The 470 family: XPG.EXE from the working folder, as the menu starts it.
// The window shows nothing when the second run (starting the device) fails;
// a script is told, and the exit code says so.
int RunOutside(const char* variant) {
    std::error_code error;
    const std::string folder = std::filesystem::current_path(error).string();
    bool failed = false;
    std::vector<qvt::ProgramExit> runs;
    const auto run = [&folder, &runs](const std::string& program,
                                      const std::vector<std::string>& arguments) {
        runs.push_back(qvt::RunProgramAndWait(folder, program, arguments));
        return runs.back();
    };
    const auto show = [&failed](const std::string& text, qvt::Severity severity) {
        failed = failed || severity == qvt::Severity::kError;
        std::fprintf(severity == qvt::Severity::kError ? stderr : stdout, "%s\n", text.c_str());
    };
    const int code = qvt::RunExternalProgrammer(variant, run, show);
    if (code == 0 && runs.size() == 2) {
        const qvt::ProgramExit& second = runs.back();
        if (second.how != qvt::ProgramExit::How::kExited || second.code != 0) {
            std::fprintf(stderr, "qvt410-cli: Gerätestart (zweiter Lauf): %s\n",
                         qvt::ExternalProgrammerMessage(second).c_str());
            failed = true;
        }
    }
    return code == 0 && !failed ? kSuccess : kProgramFailed;
}

}  // namespace

int RunProgram(const Invocation& call, Session& session) {
    std::string code = call.Has("--code") ? FromStartFolder(call.Option("--code")) : "";
    std::string data = call.Has("--data") ? FromStartFolder(call.Option("--data")) : "";
    if (call.Has("--variant")) {
        const std::string wanted = call.Option("--variant");
        for (const qvt::OutsideProgrammerEntry& entry : qvt::OutsideProgrammerCatalogue()) {
            if (Names(wanted, entry.itemName, entry.caption) || Names(wanted, entry.variant, ""))
                return RunOutside(entry.variant);
        }
        const auto catalogue = qvt::FirmwareCatalogue();
        const auto entry = std::find_if(catalogue.begin(), catalogue.end(), [&](const auto& e) {
            return Names(wanted, e.itemName, e.caption);
        });
        if (entry == catalogue.end()) {
            std::fprintf(stderr, "qvt410-cli: unbekannte Variante: %s (siehe variants)\n",
                         wanted.c_str());
            return kUsage;
        }
        const std::uint8_t networkDevice = call.Has("--network") ? 1 : 0;
        if (const std::string why = NotOffered(*entry, networkDevice);
            !why.empty() && !call.Has("--force")) {
            std::fprintf(stderr, "qvt410-cli: %s: %s (mit --force trotzdem programmieren)\n",
                         wanted.c_str(), why.c_str());
            return kUsage;
        }
        const qvt::FirmwareFiles files = qvt::FilesFor(*entry, ChipOf(call), networkDevice);
        code = files.program;
        data = files.data;
    }
    ChipRun access(call, session);
    ConsoleProgress view(stdout, isatty(STDOUT_FILENO) != 0, session.state.chip());
    access.Programmer(view).RunProgramming(code, data);
    return ExitCodeOf(view);
}

int RunErase(const Invocation& call, Session& session) {
    ChipRun access(call, session);
    ConsoleProgress view(stdout, isatty(STDOUT_FILENO) != 0, session.state.chip());
    access.Programmer(view).EraseWithMessage();
    // Erasing reads no file: whatever failed, failed on the chip.
    return view.failed() ? kProgramFailed : kSuccess;
}

}  // namespace cli
