// qvt410-cli monitor's csv output against the simulator sending short
// telegrams of changing length, with CR or CR LF endings: each row carries the
// value its own telegram carried.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>
#include <sstream>

#include "support/devsim_process.h"

namespace {

void EnsureApp() {
    static int argc = 1;
    static char name[] = "cli_monitor_values_test";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
}

// The value column of each row after the header.
std::vector<std::string> ValueColumn(const std::string& csv) {
    std::vector<std::string> values;
    std::istringstream in(csv);
    std::string line;
    std::getline(in, line);  // time,value,unit,text
    while (std::getline(in, line)) {
        const std::size_t first = line.find(',');
        const std::size_t second = line.find(',', first + 1);
        values.push_back(line.substr(first + 1, second - first - 1));
    }
    return values;
}

struct ValuesCase {
    QStringList options;
    std::vector<std::string> values;  // of the values in turn, as printed
};

TEST(CliMonitorValues, EachRowHasTheValueOfItsTelegram) {
    EnsureApp();
    // A short telegram's value is its first six bytes: "+1234.5" reads 1234.
    const ValuesCase cases[] = {
        {{"--value", "+1234.5", "--value", "-5"}, {"1234", "-5"}},
        {{"--value", "-1.25", "--value", "7"}, {"-1.25", "7"}},
        {{"--value", "+1234.5", "--value", "-5", "--crlf"}, {"1234", "-5"}},
        {{"--value", "-1.25", "--value", "7", "--crlf"}, {"-1.25", "7"}},
    };
    constexpr int kCount = 6;
    for (const ValuesCase& c : cases) {
        const std::string name = c.options.join(' ').toStdString();
        // Delayed, so the monitor has the port open before the first telegram.
        DevSimProcess sim(QStringList{"--form", "short", "--cycle", "20", "--delay", "1500",
                                      "--count", QString::number(kCount)} +
                          c.options);
        ASSERT_TRUE(sim.Start()) << name;
        QProcess cli;
        cli.start(QCoreApplication::applicationDirPath() + "/qvt410-cli",
                  {"--port", sim.path(), "monitor", "--count", QString::number(kCount), "--format",
                   "csv", "--seconds", "20"});
        ASSERT_TRUE(cli.waitForFinished(30000)) << name;
        EXPECT_EQ(cli.exitCode(), 0) << name << cli.readAllStandardError().toStdString();
        const std::string out = cli.readAllStandardOutput().toStdString();
        const std::vector<std::string> values = ValueColumn(out);
        ASSERT_EQ(values.size(), std::size_t{kCount}) << name << "\n" << out;
        for (std::size_t i = 0; i < values.size(); ++i)
            EXPECT_EQ(values[i], c.values[i % c.values.size()]) << name << " row " << i << "\n"
                                                                << out;
    }
}

}  // namespace
