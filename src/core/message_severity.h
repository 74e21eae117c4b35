#pragma once

namespace qvt {

// What an outcome box reports; its caption says it.
enum class Severity {
    Info,     // a command succeeded
    Error,    // a command failed
    Warning,  // the start-up warning
};

constexpr const char* SeverityCaption(Severity severity) {
    switch (severity) {
        case Severity::Info:
            return "Meldung";
        case Severity::Error:
            return "Fehler";
        case Severity::Warning:
            return "Warnung";
    }
    return "Fehler";
}

}  // namespace qvt
