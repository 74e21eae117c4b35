#include "compose/serial_target.h"

#include "link/baud_table.h"

namespace qvt {

void ApplyConfiguration(const ConfigValues& config, ApplicationState& state) {
    state.portIndex = config.portIndex;
    state.baudIndex = config.baudIndex;
    state.lptIndex = config.lptIndex;
    state.showTelegram = config.showTelegram;
    state.lptBase = LptBaseForIndex(state.lptIndex);
}

SerialTarget SerialTargetFor(const ApplicationState& state, const PlatformSettings& settings) {
    return {PortNameForIndex(state.portIndex),
            settings.SerialDeviceFor(PortNumberForIndex(state.portIndex)),
            BaudRateForIndex(state.baudIndex)};
}

}  // namespace qvt
