#pragma once

#include <memory>
#include <string>

#include "arguments.h"
#include "compose/serial_target.h"
#include "core/application_state.h"
#include "core/platform_settings.h"
#include "platform/serial_port.h"

namespace cli {

// What a command works with: the settings of the working folder, read as the
// application reads them at start but never written, and the global options
// laid over them.
struct Session {
    qvt::ApplicationState state;
    qvt::PlatformSettings settings;
    qvt::SerialTarget serial;
};

// Moves into the working folder and reads QVT410.CFG and QVT410.INI there.
// Returns an exit code other than 0 (and says why on stderr) when it cannot.
int OpenSession(const Invocation& call, Session& session);

// Opens the serial port; nullptr (told on stderr) when it cannot be opened or
// is in use.
std::unique_ptr<qvt::SerialPort> OpenSerialPort(const Session& session);

// A file named on the command line, from the folder the program started in.
std::string FromStartFolder(const std::string& path);

}  // namespace cli
