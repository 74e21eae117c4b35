#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace cli {

// One call of the program: the global options, the command with its
// operands and options, already checked for form (numbers are numbers, a
// format is one of the known ones); files are not touched here.
struct Invocation {
    std::string dir;   // empty: the current folder
    std::string port;  // "COM1".."COM6" or a device path; empty: QVT410.CFG
    std::optional<int> baud;
    bool help = false;     // --help, for the program or the command
    bool version = false;  // --version
    std::string command;   // empty with --help or --version alone
    std::vector<std::string> operands;
    std::map<std::string, std::string> options;  // "--count" -> "5"; a flag -> ""

    bool Has(const std::string& option) const { return options.count(option) != 0; }
    std::string Option(const std::string& option, const std::string& otherwise = {}) const;
};

struct ParseResult {
    std::optional<Invocation> invocation;
    std::string error;  // German, for the usage error; empty on success
};

ParseResult ParseArguments(const std::vector<std::string>& arguments);

}  // namespace cli
