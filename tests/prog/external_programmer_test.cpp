#include "prog/external_programmer.h"

#include <gtest/gtest.h>

#include <csignal>

namespace qvt {
namespace {

struct ProgramRun {
    std::string program;
    std::vector<std::string> arguments;
    bool operator==(const ProgramRun&) const = default;
};

ProgramExit Exited(int code) {
    return {ProgramExit::How::kExited, code, 0};
}
const ProgramExit kNotStarted{};
const ProgramExit kKilled{ProgramExit::How::kSignalled, -1, SIGKILL};

struct OutsideCase {
    const char* variant;
    ProgramExit firstExit;
    ProgramExit secondExit;
    int result;
    std::vector<std::pair<std::string, std::string>> messages;
    int runs;
};

class OutsideProgrammer : public ::testing::TestWithParam<OutsideCase> {};

TEST_P(OutsideProgrammer, RunsAndReports) {
    const OutsideCase& c = GetParam();
    std::vector<ProgramRun> runs;
    std::vector<std::pair<std::string, std::string>> messages;
    const int result = RunExternalProgrammer(
        c.variant,
        [&](const std::string& program, const std::vector<std::string>& arguments) {
            runs.push_back({program, arguments});
            return runs.size() == 1 ? c.firstExit : c.secondExit;
        },
        [&](const std::string& text, Severity severity) {
            messages.emplace_back(text, SeverityCaption(severity));
        });
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(messages, c.messages);
    ASSERT_EQ(static_cast<int>(runs.size()), c.runs);
    EXPECT_EQ(runs[0], (ProgramRun{"XPG.EXE", {c.variant, "W", "1", "101"}}));
    // The start command always names the base variant.
    if (c.runs == 2) {
        EXPECT_EQ(runs[1], (ProgramRun{"XPG.EXE", {"QVT470", "S", "1", "101"}}));
    }
}

using Messages = std::vector<std::pair<std::string, std::string>>;

INSTANTIATE_TEST_SUITE_P(
    ExitCodes, OutsideProgrammer,
    ::testing::Values(
        OutsideCase{"QVT470", Exited(0), Exited(0), 0, Messages{{"Programmierung OK", "Meldung"}},
                    2},
        OutsideCase{"QVT47040", Exited(0), Exited(0), 0, Messages{{"Programmierung OK", "Meldung"}},
                    2},
        OutsideCase{"QVT470", Exited(0), Exited(5), 0, Messages{}, 2},
        OutsideCase{"QVT470", Exited(0), kKilled, 0, Messages{}, 2},
        OutsideCase{"QVT470", Exited(1), Exited(0), 1,
                    Messages{{"Falsche Aufrufparameter", "Fehler"}}, 1},
        OutsideCase{"QVT470", Exited(2), Exited(0), 2,
                    Messages{{"Falsche Schnittstelle", "Fehler"}}, 1},
        OutsideCase{"QVT470", Exited(3), Exited(0), 3,
                    Messages{{"Falsches Funktionskommando", "Fehler"}}, 1},
        OutsideCase{"QVT47040", Exited(4), Exited(0), 4,
                    Messages{{"Hex-Datei nicht vorhanden", "Fehler"}}, 1},
        OutsideCase{"QVT470", Exited(5), Exited(0), 5,
                    Messages{{"Programmieren fehlgeschlagen", "Fehler"}}, 1},
        OutsideCase{"QVT470", Exited(6), Exited(0), 6, Messages{{"Hex-Datei fehlerhaft", "Fehler"}},
                    1},
        OutsideCase{"QVT470", Exited(7), Exited(0), 7,
                    Messages{{"Prüfsumme der Hex-Datei fehlerhaft", "Fehler"}}, 1},
        OutsideCase{"QVT470", Exited(8), Exited(0), 8,
                    Messages{{"Initialisierung nicht möglich", "Fehler"}}, 1},
        OutsideCase{"QVT470", Exited(9), Exited(0), 9,
                    Messages{{"XPG.EXE endete mit dem unbekannten Code 9", "Fehler"}}, 1},
        OutsideCase{"QVT470", kNotStarted, Exited(0), -1,
                    Messages{{"XPG.EXE konnte nicht gestartet werden", "Fehler"}}, 1},
        OutsideCase{"QVT470", kKilled, Exited(0), 128 + SIGKILL,
                    Messages{{"XPG.EXE wurde durch das Signal SIGKILL (9) beendet", "Fehler"}},
                    1}));

}  // namespace
}  // namespace qvt
