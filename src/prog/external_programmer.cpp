#include "prog/external_programmer.h"

#include <array>

namespace qvt {

std::string ExternalProgrammerMessage(int exitCode) {
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
    if (exitCode >= 1 && exitCode <= 8)
        return kMessages[exitCode];
    if (exitCode == -1)
        return std::string(kExternalProgrammer) + " konnte nicht gestartet werden";
    return std::string(kExternalProgrammer) + " endete mit dem unbekannten Code " +
           std::to_string(exitCode);
}

int RunExternalProgrammer(const std::string& variantName, const ProgramRunner& run,
                          const MessageSink& show) {
    const int first = run(kExternalProgrammer, {variantName, "W", "1", "101"});
    if (first != 0) {
        show(ExternalProgrammerMessage(first), "Fehler");
        return first;
    }
    if (run(kExternalProgrammer, {"QVT470", "S", "1", "101"}) == 0) {
        show("Programmierung OK", "Meldung");
    }
    return 0;
}

}  // namespace qvt
