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

std::string DeviceLabelSuffix(std::uint8_t deviceType, Chip chip, std::uint8_t networkDevice) {
    if (deviceType == kDeviceQvt055 || !ProfileOf(chip).hasEditions)
        return "-2";
    return networkDevice == 1 ? "-3N" : "-3E";
}

std::string DeviceLabel(std::uint8_t deviceType, Chip chip, std::uint8_t networkDevice) {
    return FamilyText(deviceType) + DeviceLabelSuffix(deviceType, chip, networkDevice);
}

}  // namespace qvt
