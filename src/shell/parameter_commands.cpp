#include "shell/parameter_commands.h"

#include "shell/main_window.h"

ParameterCommands::ParameterCommands(TForm1& form, qvt::AppContext& context) : form_(form), context_(context) {}

