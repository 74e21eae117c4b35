#include "compose/serial_target.h"

#include "link/baud_table.h"

namespace qvt {

void ApplyConfiguration(const ConfigValues& config, ApplicationState& state) {
    state.PortIndex = config.PortIndex;
    state.BaudIndex = config.BaudIndex;
    state.LptIndex = config.LptIndex;
    state.ShowTelegram = config.ShowTelegram;
    state.LptBase = LptBaseForIndex(state.LptIndex);
}

SerialTarget SerialTargetFor(const ApplicationState& state, const PlatformSettings& settings) {
    return {PortNameForIndex(state.PortIndex),
            settings.SerialDeviceFor(PortNumberForIndex(state.PortIndex)),
            BaudRateForIndex(state.BaudIndex)};
}

}  // namespace qvt
