#include "link/baud_table.h"

namespace qvt {

std::int32_t BaudRateForIndex(std::uint8_t baudIndex) {
    switch (baudIndex) {
        case 1:
            return 300;
        case 2:
            return 600;
        case 3:
            return 1200;
        case 4:
            return 2400;
        case 6:
            return 9600;
        case 7:
            return 19200;
        default:
            return 4800;
    }
}

int PortNumberForIndex(int portIndex) {
    return portIndex >= 0 && portIndex <= 5 ? portIndex : 0;
}

std::string PortNameForIndex(int portIndex) {
    return "COM" + std::to_string(PortNumberForIndex(portIndex) + 1);
}

}  // namespace qvt
