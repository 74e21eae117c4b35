#pragma once

#include <cstdint>
#include <string>

namespace qvt {

// PC line rate for the baud index kept in QVT410.CFG: 1..6 are 300..9600 baud,
// 7 is 19200 (reachable only through the file), and everything else, 0 (which
// means 150 baud on the device side) included, falls back to 4800.
std::int32_t BaudRateForIndex(std::uint8_t baudIndex);

// "COM1".."COM6" for port index 0..5; any other index names "COM1".
std::string PortNameForIndex(int portIndex);

// The index whose device path stands for the port name of portIndex (0..5).
int PortNumberForIndex(int portIndex);

}  // namespace qvt
