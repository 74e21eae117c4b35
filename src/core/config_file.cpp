#include "core/config_file.h"

namespace qvt {

ConfigValues DecodeConfigFile(const ConfigFileBytes& bytes) {
    ConfigValues v;
    v.PortIndex = bytes[0] > 5 ? 5 : bytes[0];
    v.BaudIndex = bytes[1];
    v.LptIndex = bytes[2] > 3 ? 3 : bytes[2];
    v.ShowTelegram = bytes[3] != 0;
    return v;
}

std::uint16_t LptBaseForIndex(std::uint8_t lptIndex) {
    switch (lptIndex) {
        case 1:
        case 3:
            return 0x278;
        default:
            return 0x378;
    }
}

}  // namespace qvt
