#pragma once

#include <functional>
#include <vector>

#include "arguments.h"
#include "core/cable_choice.h"
#include "session.h"

namespace cli {

// Each command returns the program's exit code.
int RunSend(const Invocation& call, Session& session);
int RunTest(const Invocation& call, Session& session);
int RunMonitor(const Invocation& call, Session& session);
int RunProgram(const Invocation& call, Session& session);
int RunErase(const Invocation& call, Session& session);
int RunShow(const Invocation& call, Session& session);
int RunDiff(const Invocation& call, Session& session);
int RunVariants(const Invocation& call, Session& session);
int RunHex(const Invocation& call, Session& session);

// The FTDI adapters and GPIO chips on this machine, as the window's "Suchen"
// lists them. Needs no working folder.
using CableFinder = std::function<std::vector<qvt::FoundCable>()>;
int RunCables(const Invocation& call, const CableFinder& find);

}  // namespace cli
