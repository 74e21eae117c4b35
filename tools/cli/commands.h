#pragma once

#include "arguments.h"
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

}  // namespace cli
