// send and test: the two telegrams the PC sends, as "Senden" and the display
// dialog's "TEST" send them.
#include <cstdio>
#include <optional>
#include <string>

#include "commands.h"
#include "core/field_check.h"
#include "core/parameter_record.h"
#include "exit_code.h"
#include "link/transmission.h"
#include "platform/files/parameter_file.h"

namespace cli {
namespace {

// The outcome text of the device's reply, and the exit code it gives.
int Outcome(std::optional<std::uint8_t> reply, const char* accepted, const char* failed) {
    if (reply == qvt::kAcknowledge) {
        std::printf("%s\n", accepted);
        return kSuccess;
    }
    std::printf("%s\n", failed);
    if (reply) {
        std::fprintf(stderr, "qvt410-cli: Antwort 0x%02X statt 0x06\n", *reply);
        return kRefused;
    }
    std::fprintf(stderr, "qvt410-cli: keine Antwort\n");
    return kNoReply;
}

void ReportFaults(const std::vector<qvt::FieldFault>& faults) {
    std::fprintf(stderr, "Nicht gesendet, diese Werte kann das Gerät nicht darstellen:\n%s\n",
                 qvt::FaultLines(faults).c_str());
}

}  // namespace

int RunSend(const Invocation& call, Session& session) {
    const std::string path = FromStartFolder(call.operands[0]);
    qvt::ParameterRecord record;
    if (!qvt::LoadParameterFile(path, record)) {
        std::fprintf(stderr, "qvt410-cli: Parameterdatei %s nicht lesbar\n", path.c_str());
        return kBadFile;
    }
    // A text its telegram field cannot carry would reach the device as
    // another value: nothing is sent then.
    if (const auto faults = qvt::CheckSentFields(record); !faults.empty()) {
        ReportFaults(faults);
        return kBadFile;
    }
    // The card type is a setting of the device, not of the file: without
    // --karte the program's start value goes out, as "Senden" sends it before
    // anyone opens "Erweiterungskarte".
    if (call.Has("--karte"))
        record.daCardType = static_cast<std::uint8_t>(std::stoi(call.Option("--karte")));
    const auto port = OpenSerialPort(session);
    if (!port)
        return kPortFailed;
    const qvt::SystemClock clock;
    return Outcome(qvt::TransmitParameters(*port, record, clock), "Parameter fehlerfrei übertragen",
                   "Fehler bei der Übertragung der Parameter");
}

int RunTest(const Invocation& call, Session& session) {
    // The number as written, right-aligned in the four positions: "12" is
    // twelve, not the dialog's left-aligned 1200. The form (digits only) has
    // been checked with the arguments.
    constexpr std::size_t kPositions = 4;
    const std::string& written = call.operands[0];
    const std::string positions = std::string(kPositions - written.size(), '0') + written;
    if (const auto fault = qvt::CheckTestValue(positions)) {
        ReportFaults({*fault});
        return kUsage;
    }
    const auto port = OpenSerialPort(session);
    if (!port)
        return kPortFailed;
    // What waited in the port when it opened (a telegram, a late answer to an
    // earlier run) is no answer to this one.
    qvt::DrainInput(*port);
    const qvt::SystemClock clock;
    const auto point = static_cast<qvt::TestValuePoint>(std::stoi(call.Option("--point", "0")));
    return Outcome(qvt::TransmitTestValue(*port, positions, point, clock),
                   "Wert fehlerfrei übertragen", "Fehler bei der Übertragung");
}

}  // namespace cli
