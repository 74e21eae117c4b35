#include "core/device_label.h"

#include "core/parameter_record.h"

namespace qvt {

std::string FamilyText(std::uint8_t deviceType) {
    switch (deviceType) {
        case kDeviceQvt0xx:
            return "QVT0xx";
        case kDeviceQvt055:
            return "QVT055-Uhr";
        default:
            return "QVT410";
    }
}

std::string DeviceLabelSuffix(std::uint8_t deviceType, std::uint16_t chipType,
                              std::uint8_t networkDevice) {
    if (deviceType == kDeviceQvt055 || chipType != 8253)
        return "-2";
    return networkDevice == 1 ? "-3N" : "-3E";
}

std::string DeviceLabel(std::uint8_t deviceType, std::uint16_t chipType,
                        std::uint8_t networkDevice) {
    return FamilyText(deviceType) + DeviceLabelSuffix(deviceType, chipType, networkDevice);
}

}  // namespace qvt
