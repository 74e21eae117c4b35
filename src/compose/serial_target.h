#pragma once

#include <string>

#include "core/application_state.h"
#include "core/config_file.h"
#include "core/platform_settings.h"

namespace qvt {

// The settings of QVT410.CFG a run starts with: the serial port and baud
// rate, the parallel port and whether the telegram panel shows.
void ApplyConfiguration(const ConfigValues& config, ApplicationState& state);

// The serial port PortIndex names, mapped to its device through the
// QVT410.INI assignments, at the rate of BaudIndex.
struct SerialTarget {
    std::string portName;  // "COM2"
    std::string device;    // "/dev/ttyS1"
    int baudRate = 0;
};
SerialTarget SerialTargetFor(const ApplicationState& state, const PlatformSettings& settings);

}  // namespace qvt
