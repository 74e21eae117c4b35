#pragma once

#include <cstdint>

#include "core/fixed_text.h"

namespace qvt {

// Device families. Wherever an encoding depends on the family, the
// frequency/speed/counter/flow family is the exception and the other two are
// treated alike.
enum DeviceType : std::uint8_t {
    kDeviceQvt410 = 0,  // voltage, current, temperature
    kDeviceQvt0xx = 1,  // frequency, speed, counter, flow
    kDeviceQvt055 = 2,  // clock with PT100 input
};

// The one parameter set being edited. Numbers are kept as the texts the user
// typed; they are interpreted only when a file is written or a telegram built.
// Initialised to the values the program starts with (which differ from what
// "Neu" sets in sioMode and daCardType).
struct ParameterRecord {
    // Measuring range
    FixedText<5> mbMeasStart{"0000"};
    FixedText<5> mbDisplayStart{"0000"};
    FixedText<5> mbMeasEnd{"0000"};
    FixedText<5> mbDisplayEnd{"0000"};
    std::int32_t funcCode = 0;

    // Display
    std::uint8_t azDecimalPoint = 0;  // bits 0-1 point position, bit 2 "Display-Empfang"
    std::uint8_t azRounding = 1;      // 0, 1, 2, and 5 (types 0/2) or 3 (type 1) for "Fünfer"
    std::uint8_t azDivideBy10 = 0;
    FixedText<5> azAverageCount{};
    FixedText<4> azUnitText{};

    // Switching points
    FixedText<6> sp1Setpoint{"0000"};
    FixedText<6> sp1Hysteresis{"0000"};
    FixedText<5> sp1Delay{"0000"};
    std::uint8_t sp1RelayNC = 0;
    std::uint8_t sp1Active = 0;
    FixedText<6> sp2Setpoint{"0000"};
    FixedText<6> sp2Hysteresis{"0000"};
    FixedText<5> sp2Delay{"0000"};
    std::uint8_t sp2RelayNC = 0;
    std::uint8_t sp2Active = 0;

    // Device serial interface
    std::uint8_t sioBaudIndex = 5;  // 0..6 = 150 .. 9600 baud
    std::uint8_t sioMode = 2;       // 0 passive; sec/min codes depend on the device type
    FixedText<5> sioSendCycle{"0000"};

    // Real-time clock
    FixedText<3> rtcMinute{"00"};
    FixedText<3> rtcHour{"00"};
    FixedText<3> rtcDay{"01"};
    FixedText<3> rtcMonth{"01"};
    FixedText<5> rtcYear{"2001"};
    std::uint8_t rtcWeekday = 1;  // 0 = Sunday .. 6 = Saturday

    // Special functions
    FixedText<5> soEncoderPulses{"0100"};
    std::uint8_t soDisplayMode = 0;     // 0 measured value, 1 time of day
    std::uint8_t soCountDirection = 0;  // 0 up, 1 down

    std::uint8_t deviceType = kDeviceQvt410;

    // Device settings that are sent or used but not stored in a parameter file.
    std::uint8_t rtcAuto = 1;
    std::uint8_t daCardType = 1;  // 0 analogue output, 1 serial/clock card, 2 none
    std::uint8_t reserved = 0;    // sent to the device, never written
};

}  // namespace qvt
