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
    const auto port = OpenSerialPort(session);
    if (!port)
        return kPortFailed;
    const qvt::SystemClock clock;
    return Outcome(qvt::TransmitParameters(*port, record, clock), "Parameter fehlerfrei übertragen",
                   "Fehler bei der Übertragung der Parameter");
}

int RunTest(const Invocation& call, Session& session) {
    // Four positions as the dialog's edit holds them, blanks where nothing was typed.
    constexpr std::size_t kPositions = 4;
    std::string positions = call.operands[0];
    if (positions.size() > kPositions) {
        std::fprintf(stderr, "qvt410-cli: test: höchstens %zu Stellen: %s\n", kPositions,
                     positions.c_str());
        return kUsage;
    }
    positions.resize(kPositions, ' ');
    if (const auto fault = qvt::CheckTestValue(positions)) {
        ReportFaults({*fault});
        return kBadFile;
    }
    const auto port = OpenSerialPort(session);
    if (!port)
        return kPortFailed;
    const qvt::SystemClock clock;
    const auto point = static_cast<qvt::TestValuePoint>(std::stoi(call.Option("--point", "0")));
    return Outcome(qvt::TransmitTestValue(*port, positions, point, clock),
                   "Wert fehlerfrei übertragen", "Fehler bei der Übertragung");
}

}  // namespace cli
