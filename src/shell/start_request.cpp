#include "shell/start_request.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "shell/command_line.h"

namespace qvt {
namespace fs = std::filesystem;

StartRequest HandleCommandLine(int argc, char* argv[]) {
    const CommandLine line = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    switch (line.action) {
        case CommandLine::Action::kVersion:
            std::fputs(VersionText().c_str(), stdout);
            return {0, {}};
        case CommandLine::Action::kHelp:
            std::fputs(HelpText().c_str(), stdout);
            return {0, {}};
        case CommandLine::Action::kError:
            std::fprintf(stderr, "qvt410: %s\n%s", line.error.c_str(), HelpText().c_str());
            return {1, {}};
        case CommandLine::Action::kRun:
            break;
    }
    std::error_code error;
    const std::string current = fs::current_path(error).string();
    const char* home = std::getenv("HOME");
    const std::string folder = ChooseWorkingFolder(line, current, home ? home : "");
    if (folder != current) {
        fs::create_directories(folder, error);
        fs::current_path(folder, error);
        if (error) {
            std::fprintf(stderr, "qvt410: Arbeitsordner %s: %s\n", folder.c_str(),
                         error.message().c_str());
            return {1, {}};
        }
    }
    return {std::nullopt, FileFromCurrentFolder(line.file, current)};
}

}  // namespace qvt
