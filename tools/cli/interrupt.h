#pragma once

namespace cli {

// Ctrl-C (SIGINT) and SIGTERM no longer end the program at once: they are
// noted, so a run can take its closing steps first. Installed once.
void CatchInterrupt();
bool Interrupted();
// A descriptor that becomes readable at the interrupt, for an event loop to
// wait on.
int InterruptDescriptor();

}  // namespace cli
