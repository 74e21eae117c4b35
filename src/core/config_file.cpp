#include "core/config_file.h"

namespace qvt {

ConfigValues DecodeConfigFile(const ConfigFileBytes& bytes) {
    ConfigValues v;
    v.portIndex = bytes[0] > 5 ? 5 : bytes[0];
    v.baudIndex = bytes[1];
    v.lptIndex = bytes[2] > 3 ? 3 : bytes[2];
    v.showTelegram = bytes[3] != 0;
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
