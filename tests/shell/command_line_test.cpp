// The command line of the program and the folder it works in.
#include "shell/command_line.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {
using qvt::CommandLine;
using Action = CommandLine::Action;

TEST(CommandLine, ParsesWhatTheManualPageDescribes) {
    const struct {
        std::vector<std::string> arguments;
        Action action;
        std::string dir;
        std::string file;
    } cases[] = {
        {{}, Action::kRun, "", ""},
        {{"Kunde A.QVC"}, Action::kRun, "", "Kunde A.QVC"},
        {{"--dir", "/srv/qvt", "a.QVC"}, Action::kRun, "/srv/qvt", "a.QVC"},
        {{"a.QVC", "--dir=/srv/qvt"}, Action::kRun, "/srv/qvt", "a.QVC"},
        {{"--", "--dir"}, Action::kRun, "", "--dir"},
        {{"--dir", "x", "--version"}, Action::kVersion, "", ""},
        {{"--help", "--bogus"}, Action::kHelp, "", ""},
        {{"-h"}, Action::kHelp, "", ""},
        {{"--dir"}, Action::kError, "", ""},
        {{"--dir", ""}, Action::kError, "", ""},
        {{"--bogus"}, Action::kError, "", ""},
        {{"-platform", "xcb"}, Action::kError, "", ""},
        {{"a.QVC", "b.QVC"}, Action::kError, "", ""},
    };
    for (const auto& c : cases) {
        const CommandLine line = qvt::ParseCommandLine(c.arguments);
        const std::string shown = ::testing::PrintToString(c.arguments);
        EXPECT_EQ(line.action, c.action) << shown;
        if (c.action == Action::kRun) {
            EXPECT_EQ(line.dir, c.dir) << shown;
            EXPECT_EQ(line.file, c.file) << shown;
        }
        EXPECT_EQ(line.error.empty(), c.action != Action::kError) << shown;
    }
}

TEST(CommandLine, WorksInQvt410OnlyWhenStartedInTheHomeFolder) {
    namespace fs = std::filesystem;
    const fs::path home = fs::temp_directory_path() / "qvt410-home-test";
    fs::create_directories(home / "work");
    const std::string homeText = home.string();
    const std::string work = (home / "work").string();
    const std::string viaDot = (home / "work" / "..").string();
    const struct {
        std::string dir, current, home, expected;
    } cases[] = {
        {"", homeText, homeText, homeText + "/QVT410"},
        {"", viaDot, homeText + "/", homeText + "/QVT410"},  // same folder, other spelling
        {"", work, homeText, work},
        {"", work, "", work},
        {"/srv/qvt", homeText, homeText, "/srv/qvt"},
    };
    for (const auto& c : cases) {
        CommandLine line;
        line.dir = c.dir;
        EXPECT_EQ(qvt::ChooseWorkingFolder(line, c.current, c.home), c.expected) << c.current;
    }
    fs::remove_all(home);
    EXPECT_EQ(qvt::FileFromCurrentFolder("a.QVC", "/home/t"), "/home/t/a.QVC");
    EXPECT_EQ(qvt::FileFromCurrentFolder("/srv/a.QVC", "/home/t"), "/srv/a.QVC");
}

}  // namespace
