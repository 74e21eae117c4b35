#include "prog/external_programmer.h"

#include <array>

namespace qvt {
namespace {

bool Succeeded(const ProgramExit& exit) {
    return exit.how == ProgramExit::How::kExited && exit.code == 0;
}

// What the caller gets back for a run: the exit code, or what a shell would
// show for a program that did not get as far as exiting.
int CodeOf(const ProgramExit& exit) {
    switch (exit.how) {
        case ProgramExit::How::kExited:
            return exit.code;
        case ProgramExit::How::kSignalled:
            return 128 + exit.signal;
        case ProgramExit::How::kNotStarted:
            break;
    }
    return -1;
}

}  // namespace

std::string ExternalProgrammerMessage(const ProgramExit& exit) {
    static constexpr std::array<const char*, 9> kMessages = {
        "",
        "Falsche Aufrufparameter",
        "Falsche Schnittstelle",
        "Falsches Funktionskommando",
        "Hex-Datei nicht vorhanden",
        "Programmieren fehlgeschlagen",
        "Hex-Datei fehlerhaft",
        "Prüfsumme der Hex-Datei fehlerhaft",
        "Initialisierung nicht möglich",
    };
    const std::string program = kExternalProgrammer;
    switch (exit.how) {
        case ProgramExit::How::kNotStarted:
            return program + " konnte nicht gestartet werden";
        case ProgramExit::How::kSignalled:
            return program + " wurde durch das Signal " + SignalName(exit.signal) + " beendet";
        case ProgramExit::How::kExited:
            break;
    }
    if (exit.code >= 1 && exit.code <= 8)
        return kMessages[exit.code];
    return program + " endete mit dem unbekannten Code " + std::to_string(exit.code);
}

int RunExternalProgrammer(const std::string& variantName, const ProgramRunner& run,
                          const MessageSink& show) {
    const ProgramExit first = run(kExternalProgrammer, {variantName, "W", "1", "101"});
    if (!Succeeded(first)) {
        show(ExternalProgrammerMessage(first), Severity::kError);
        return CodeOf(first);
    }
    if (Succeeded(run(kExternalProgrammer, {"QVT470", "S", "1", "101"}))) {
        show("Programmierung OK", Severity::kInfo);
    }
    return 0;
}

}  // namespace qvt
