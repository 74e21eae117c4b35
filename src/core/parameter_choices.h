#pragma once

#include <cstdint>

namespace qvt {

// The record keeps several settings as small code bytes, some of them coded
// per device family. These are the choices behind the codes, as the
// dialogs offer them, and the coding both ways.

// Position of the display's decimal point: the digit it stands right of. The
// test value carries it the same way, without any family's coding.
enum class DecimalPoint : std::uint8_t {
    kNone = 0,       // "Kein Punkt"
    kThousands = 1,  // "X . XXX"
    kHundreds = 2,   // "XX . XX"
    kTens = 3,       // "XXX . X"
};

// Rounding of the display's last digit.
enum class Rounding : std::uint8_t {
    kAlwaysZero = 0,  // "Immer 0"
    kNormal = 1,      // "Normal 0/1/2/3/4/5/6/7/8/9/0"
    kEvenOnly = 2,    // "Nur Gerade 0/2/4/6/8/0"
    kFives = 3,       // "Fünfer 0/5/0"
};

// When the device's own serial interface sends.
enum class SioSending : std::uint8_t {
    kPassive = 0,  // "Passiv"
    kSeconds = 1,  // "RS232-sec."
    kMinutes = 2,  // "RS232-min."
};

// azDecimalPoint: bits 0-1 the point, bit 2 "Display-Empfang". The counter
// family numbers "X . XXX" and "XXX . X" the other way round (3 and 1).
DecimalPoint DecimalPointOf(std::uint8_t azDecimalPoint, std::uint8_t deviceType);
bool DisplayReceptionOf(std::uint8_t azDecimalPoint);
std::uint8_t DecimalPointCode(DecimalPoint point, bool displayReception, std::uint8_t deviceType);

// azRounding: 0 to 2 as the choices; "Fünfer" is coded 5 by the main family
// and 3 by every other type value, and any code above 2 stands for it.
Rounding RoundingOf(std::uint8_t azRounding);
std::uint8_t RoundingCode(Rounding rounding, std::uint8_t deviceType);

// sioMode: 0 passive; the main family codes seconds as 2 and minutes as 1,
// every other type value the other way round. An unknown code is passive.
SioSending SioSendingOf(std::uint8_t sioMode, std::uint8_t deviceType);
std::uint8_t SioModeCode(SioSending sending, std::uint8_t deviceType);

}  // namespace qvt
