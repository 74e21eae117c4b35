#pragma once

namespace qvt {

// What an outcome box reports; its caption says it.
enum class Severity {
    kInfo,     // a command succeeded
    kError,    // a command failed
    kWarning,  // the start-up warning
};

constexpr const char* SeverityCaption(Severity severity) {
    switch (severity) {
        case Severity::kInfo:
            return "Meldung";
        case Severity::kError:
            return "Fehler";
        case Severity::kWarning:
            return "Warnung";
    }
    return "Fehler";
}

}  // namespace qvt
