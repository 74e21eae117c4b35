#pragma once

#include <string>
#include <vector>

namespace qvt {

// What the command line asks for: qvt410 [--dir DIR] [FILE.QVC] | --version | --help.
struct CommandLine {
    enum class Action { kRun, kVersion, kHelp, kError };
    Action action = Action::kRun;
    std::string dir;    // --dir; empty when not given
    std::string file;   // parameter file to load at start; empty when none
    std::string error;  // for Action::kError: what was wrong, in German
};

// arguments: without the program name.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// The folder the program works in: --dir when given; the folder QVT410 in the
// home folder when started in the home folder (as the desktop menu does), so
// that its files do not land loose there; otherwise the current folder.
std::string ChooseWorkingFolder(const CommandLine& line, const std::string& current,
                                const std::string& home);

// A relative parameter file name is meant from the folder it was typed in,
// not from the working folder the program changes to.
std::string FileFromCurrentFolder(const std::string& file, const std::string& current);

// Texts of --version and --help.
std::string VersionText();
std::string HelpText();

}  // namespace qvt
