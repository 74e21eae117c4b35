#include "shell/command_line.h"

#include <filesystem>

#include "core/version.h"

namespace qvt {
namespace fs = std::filesystem;

namespace {
CommandLine Refused(std::string error) {
    CommandLine line;
    line.action = CommandLine::Action::kError;
    line.error = std::move(error);
    return line;
}

bool SameFolder(const std::string& a, const std::string& b) {
    std::error_code error;
    return fs::equivalent(a, b, error);
}
}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    bool onlyFiles = false;  // after "--", a name starting with '-' is a file
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (onlyFiles || argument.empty() || argument[0] != '-' || argument == "-") {
            if (!line.file.empty())
                return Refused("Nur eine Parameterdatei: " + argument);
            line.file = argument;
        } else if (argument == "--") {
            onlyFiles = true;
        } else if (argument == "--version") {
            line.action = CommandLine::Action::kVersion;
            return line;
        } else if (argument == "--help" || argument == "-h") {
            line.action = CommandLine::Action::kHelp;
            return line;
        } else if (argument == "--dir") {
            if (i + 1 == arguments.size() || arguments[i + 1].empty())
                return Refused("--dir braucht einen Ordner");
            line.dir = arguments[++i];
        } else if (argument.starts_with("--dir=") && argument.size() > 6) {
            line.dir = argument.substr(6);
        } else {
            return Refused("Unbekannte Option " + argument);
        }
    }
    return line;
}

std::string ChooseWorkingFolder(const CommandLine& line, const std::string& current,
                                const std::string& home) {
    if (!line.dir.empty())
        return line.dir;
    if (!home.empty() && SameFolder(current, home))
        return (fs::path(home) / "QVT410").string();
    return current;
}

std::string FileFromCurrentFolder(const std::string& file, const std::string& current) {
    if (file.empty() || fs::path(file).is_absolute())
        return file;
    return (fs::path(current) / file).string();
}

std::string VersionText() {
    return std::string("qvt410 ") + kVersion + "\n";
}

std::string HelpText() {
    return "Aufruf: qvt410 [--dir ORDNER] [DATEI.QVC]\n"
           "        qvt410 --version | --help\n"
           "QVT-Digitalanzeigen parametrieren, überwachen und programmieren.\n"
           "\n"
           "  --dir ORDNER  im Ordner ORDNER arbeiten (wird angelegt, wenn er fehlt)\n"
           "  DATEI.QVC     diese Parameterdatei beim Start laden\n"
           "  --version     die Versionsnummer ausgeben und enden\n"
           "  --help        diese Übersicht ausgeben und enden\n"
           "\n"
           "Ohne --dir arbeitet das Programm im aktuellen Ordner; im Home-Ordner\n"
           "gestartet (so startet es das Menü der Arbeitsumgebung) in ~/QVT410.\n"
           "Siehe qvt410(1).\n";
}

}  // namespace qvt
