#include "shell/link_commands.h"

#include "shell/main_window.h"

LinkCommands::LinkCommands(TForm1& form, qvt::AppContext& context) : form_(form), context_(context) {}

void LinkCommands::OpenAtStart() {}
void LinkCommands::StartMonitor() {}
void LinkCommands::Shutdown() {}
