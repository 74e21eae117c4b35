#pragma once

#include <string>
#include <vector>

#include "core/cable_choice.h"
#include "platform/ftdi_adapter.h"

namespace qvt {

// The FTDI adapters on this machine, through libftdi: serial number (or the
// bus path "usb:BUS:DEVICE" of one without), chip and bus place, and why one
// cannot be used. Empty when there is none (or no USB at all).
std::vector<FoundCable> ListFtdiAdapters();

// Opens the adapter named by device (serial number or "usb:BUS:DEVICE"; empty
// for the only or first one) in synchronous bit-bang mode, every pin an
// input, latency timer 1 ms. The adapter is claimed for this process: a
// second process asking for it is told it is busy ("belegt").
FtdiOpenResult OpenFtdiAdapter(const std::string& device);

}  // namespace qvt
