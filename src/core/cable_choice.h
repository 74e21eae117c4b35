#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qvt {

// The kinds of programming cable: the parallel port, an FTDI adapter in
// synchronous bit-bang mode, the GPIO lines of a Linux board.
enum class CableType { kParallel, kFtdi, kGpio };

// "parallel", "ftdi", "gpio"; nothing for any other word.
std::optional<CableType> ParseCableType(std::string_view word);
const char* CableTypeName(CableType type);

// One line of a pin map: the adapter's bit (FTDI: 0..7 of the bit-bang port)
// or the GPIO chip's line offset, and whether the cable inverts it between
// the chip and the pin ("~" in the written form).
struct CablePin {
    int number = -1;
    bool inverted = false;
    bool operator==(const CablePin&) const = default;
};

// The bits of an FTDI adapter's bit-bang port.
inline constexpr int kFtdiPinCount = 8;

// Which pin carries which ISP line.
struct PinMap {
    CablePin mosi;
    CablePin sck;
    CablePin rst;
    CablePin miso;
    bool operator==(const PinMap&) const = default;
};

// A pin map from its written form: the name of a shipped map ("ft232r",
// "ft232h", "raspberrypi") or "mosi=0,sck=1,rst=~3,miso=2". Checked: every
// line present once, no pin used twice, numbers below pinCount. The message
// says what is wrong, in German, for the user.
struct PinMapResult {
    std::optional<PinMap> map;
    std::string problem;
};
PinMapResult ParsePinMap(std::string_view text, int pinCount);

// "mosi=0,sck=1,rst=~3,miso=2": the written form, read back by ParsePinMap.
std::string PinMapText(const PinMap& map);

// A cable as [cable] in QVT410.INI or --cable names it: type, device (an FTDI
// adapter's serial number or USB bus path "usb:BUS:DEVICE"; a "gpiochipN"),
// pin map text, and whether the emulated adapter stands in for the device.
struct CableChoice {
    CableType type = CableType::kParallel;
    std::string device;
    std::string pins;
    bool emulated = false;
    bool operator==(const CableChoice&) const = default;
};

// The defaults of what is left empty: an FTDI adapter uses the ft232r map
// (an empty device is the one adapter present); GPIO gpiochip0 with the
// raspberrypi map. The parallel cable has neither.
CableChoice WithDefaults(CableChoice cable);

// The command line's form: "parallel", "ftdi[:DEVICE[:PINS]]",
// "gpio[:DEVICE[:PINS]]", "emulated-ftdi[:...]"/"emulated-gpio[:...]" for the
// rehearsal, defaults filled in. DEVICE may hold colons itself (a USB bus
// path "usb:001:004"): the field after the last colon is PINS only when it
// is a shipped map's name, holds a '=' or is empty, otherwise it belongs to
// DEVICE. So "ftdi:usb:001:004" is that adapter with the ft232r map, and
// "ftdi::ft232h" the one adapter present with the ft232h map. The pin map is
// checked in form here (and an FTDI map for its 8 bits); a GPIO map's
// numbers are checked against the chip when it is opened.
std::optional<CableChoice> ParseCableChoice(std::string_view text);
// Why ParseCableChoice refuses the text, in German; empty when it does not.
std::string CableChoiceProblem(std::string_view text);
// Why a cable as chosen (defaults filled in) cannot be used, in German:
// a USB bus path not of the form "usb:BUS:DEVICE", a device field holding a
// pin map, a pin map refused by ParsePinMap. Empty when nothing is wrong.
std::string CableProblem(const CableChoice& cable);

// A cable found on this machine, for "Suchen" and `qvt410-cli cables`.
struct FoundCable {
    CableType type = CableType::kFtdi;
    std::string device;  // what [cable] device= takes: serial number or gpiochipN
    std::string
        description;      // "FT232R USB UART, Bus 001 Gerät 004", "pinctrl-bcm2711, 58 Leitungen"
    std::string problem;  // why it cannot be used, empty when it can
};

}  // namespace qvt
