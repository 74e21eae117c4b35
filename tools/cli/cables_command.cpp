// cables: the FTDI adapters and GPIO chips found, one line each, for scripts
// that pick the --cable of a station.
#include <cstdio>

#include "commands.h"
#include "exit_code.h"

namespace cli {

// type, device, description and problem, separated by tabs: a device or a
// description may hold blanks and colons. The problem is empty for a cable
// that can be used.
int RunCables(const Invocation& /*call*/, const CableFinder& find) {
    const std::vector<qvt::FoundCable> found = find ? find() : std::vector<qvt::FoundCable>{};
    for (const qvt::FoundCable& cable : found) {
        std::printf("%s\t%s\t%s\t%s\n", qvt::CableTypeName(cable.type), cable.device.c_str(),
                    cable.description.c_str(), cable.problem.c_str());
    }
    if (found.empty())
        std::fputs("qvt410-cli: kein FTDI-Adapter und kein GPIO-Chip gefunden\n", stderr);
    return kSuccess;
}

}  // namespace cli
