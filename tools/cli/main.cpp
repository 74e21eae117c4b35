// qvt410-cli: the application's three jobs (parametrise, monitor, program)
// from scripts and production lines, without a display.
#include <QCoreApplication>
#include <cstdio>
#include <string>
#include <vector>

#include "arguments.h"
#include "commands.h"
#include "compose/usb_cable_backend.h"
#include "core/version.h"
#include "exit_code.h"
#include "help_texts.h"
#include "interrupt.h"

namespace {

using Command = int (*)(const cli::Invocation&, cli::Session&);

Command CommandFor(const std::string& name) {
    static const std::pair<const char*, Command> kCommands[] = {
        {"send", cli::RunSend},       {"test", cli::RunTest},         {"monitor", cli::RunMonitor},
        {"program", cli::RunProgram}, {"erase", cli::RunErase},       {"show", cli::RunShow},
        {"diff", cli::RunDiff},       {"variants", cli::RunVariants}, {"hex", cli::RunHex},
    };
    for (const auto& [commandName, run] : kCommands) {
        if (name == commandName)
            return run;
    }
    return nullptr;
}

}  // namespace

int main(int argc, char* argv[]) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const cli::ParseResult parsed = cli::ParseArguments(arguments);
    if (!parsed.invocation) {
        std::fprintf(stderr, "qvt410-cli: %s\n(qvt410-cli --help zeigt die Hilfe)\n",
                     parsed.error.c_str());
        return cli::kUsage;
    }
    const cli::Invocation& call = *parsed.invocation;
    if (call.help) {
        std::fputs(cli::HelpText(call.command).c_str(), stdout);
        return cli::kSuccess;
    }
    if (call.version) {
        std::printf("qvt410-cli %s\n", qvt::kVersion);
        return cli::kSuccess;
    }
    if (call.command == "cables") {
        return cli::RunCables(call, qvt::FindCables);
    }
    cli::CatchInterrupt();
    QCoreApplication app(argc, argv);
    cli::Session session;
    if (const int failed = cli::OpenSession(call, session); failed != cli::kSuccess)
        return failed;
    const int code = CommandFor(call.command)(call, session);
    std::fflush(stdout);
    // Ctrl-C during a transmission lets it finish, then tells the script.
    return cli::Interrupted() ? cli::kInterrupted : code;
}
