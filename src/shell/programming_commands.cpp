#include "shell/programming_commands.h"

#include "shell/main_window.h"

ProgrammingCommands::ProgrammingCommands(TForm1& form, qvt::AppContext& context) : form_(form), context_(context) {}

void ProgrammingCommands::OpenPortAccess() {}
void ProgrammingCommands::WriteIdlePattern() {}
void ProgrammingCommands::Shutdown() {}
