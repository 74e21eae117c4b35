#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/cable_choice.h"

namespace qvt {
namespace {

// Pin numbers as the wiring tables of the breakouts give them (FT232R:
// TXD D0, RXD D1, RTS# D2, DTR# D4; FT232H: AD0..AD3; Raspberry Pi: BCM 10,
// 11, 25, 9 on header pins 19, 23, 22, 21).
constexpr PinMap kFt232r{{2, false}, {0, false}, {4, false}, {1, false}};
constexpr PinMap kFt232h{{1, false}, {0, false}, {3, false}, {2, false}};
constexpr PinMap kRaspberryPi{{10, false}, {11, false}, {25, false}, {9, false}};

TEST(PinMap, ShippedAndWrittenMapsAndTheFaultsOfAWrittenOne) {
    struct Case {
        const char* text;
        int pinCount;
        std::optional<PinMap> map;
        const char* problem;  // a part of the message that names the fault
    };
    const Case cases[] = {
        {"ft232r", 8, kFt232r, ""},
        {"FT232H", 8, kFt232h, ""},
        {"raspberrypi", 54, kRaspberryPi, ""},
        // The header's BCM numbers are no bits of an FTDI adapter.
        {"raspberrypi", 8, std::nullopt, "Pin 10 für MOSI"},
        {"mosi=0,sck=1,rst=~3,miso=2", 8, PinMap{{0, false}, {1, false}, {3, true}, {2, false}},
         ""},
        {" miso = ~7 , rst=6,sck=5,mosi=4 ", 8,
         PinMap{{4, false}, {5, false}, {6, false}, {7, true}}, ""},
        {"mosi=0,sck=1,rst=3,mosi=2", 8, std::nullopt, "MOSI ist zweimal"},
        {"mosi=0,sck=1,rst=3", 8, std::nullopt, "MISO fehlt"},
        {"mosi=0,sck=1,rst=8,miso=2", 8, std::nullopt, "Pin 8 für RST"},
        {"mosi=0,sck=1,rst=1,miso=2", 8, std::nullopt, "Pin 1 ist für SCK und RST"},
        {"mosi=0,sck=1,rst=~,miso=2", 8, std::nullopt, "für RST ist keine Pinnummer"},
        {"mosi=-1,sck=1,rst=3,miso=2", 8, std::nullopt, "für MOSI ist keine Pinnummer"},
        {"mosi=0,sck=1,rst=3x,miso=2", 8, std::nullopt, "für RST ist keine Pinnummer"},
        {"mosi=0,clk=1,rst=3,miso=2", 8, std::nullopt, "unbekannte Leitung „clk“"},
        {"mosi=0,sck=1,rst=3,miso=2,", 8, std::nullopt, "keine Angabe"},
        {"ft232", 8, std::nullopt, "unbekannt"},
        {"", 8, std::nullopt, "fehlt"},
    };
    for (const Case& c : cases) {
        const PinMapResult result = ParsePinMap(c.text, c.pinCount);
        EXPECT_EQ(result.map, c.map) << c.text;
        if (c.map) {
            EXPECT_EQ(result.problem, "") << c.text;
            // The written form reads back as the same map, inversions included.
            EXPECT_EQ(ParsePinMap(PinMapText(*c.map), c.pinCount).map, c.map) << c.text;
        } else {
            EXPECT_NE(result.problem.find(c.problem), std::string::npos)
                << c.text << ": " << result.problem;
        }
    }
    EXPECT_EQ(PinMapText({{0, false}, {1, false}, {3, true}, {2, false}}),
              "mosi=0,sck=1,rst=~3,miso=2");
}

TEST(CableChoice, CommandLineFormsWithDefaultsAndColonsInTheDevice) {
    struct Case {
        const char* text;
        std::optional<CableChoice> cable;
    };
    using T = CableType;
    const Case cases[] = {
        {"parallel", CableChoice{}},
        {"ftdi", CableChoice{T::kFtdi, "", "ft232r", false}},
        {"gpio", CableChoice{T::kGpio, "gpiochip0", "raspberrypi", false}},
        {"ftdi:A601XYZ", CableChoice{T::kFtdi, "A601XYZ", "ft232r", false}},
        // A USB bus path keeps its colons; a map after it is the last field.
        {"ftdi:usb:001:004", CableChoice{T::kFtdi, "usb:001:004", "ft232r", false}},
        {"ftdi:usb:001:004:ft232h", CableChoice{T::kFtdi, "usb:001:004", "ft232h", false}},
        {"ftdi:usb:1:4:mosi=0,sck=1,rst=~3,miso=2",
         CableChoice{T::kFtdi, "usb:1:4", "mosi=0,sck=1,rst=~3,miso=2", false}},
        {"ftdi::ft232h", CableChoice{T::kFtdi, "", "ft232h", false}},
        {"gpio:gpiochip1:mosi=20,sck=21,rst=16,miso=19",
         CableChoice{T::kGpio, "gpiochip1", "mosi=20,sck=21,rst=16,miso=19", false}},
        {"emulated-ftdi:FT0001", CableChoice{T::kFtdi, "FT0001", "ft232r", true}},
        {"emulated-gpio", CableChoice{T::kGpio, "gpiochip0", "raspberrypi", true}},
        // Refused: no such cable, a USB path short of its device number, a
        // map an FTDI adapter has no bits for, a map without a device field.
        {"usb", std::nullopt},
        {"parallel:lpt2", std::nullopt},
        {"emulated-parallel", std::nullopt},
        {"ftdi:usb:001", std::nullopt},
        {"ftdi:usb:001:x4", std::nullopt},
        {"ftdi:A601XYZ:raspberrypi", std::nullopt},
        {"ftdi:mosi=0,sck=1,rst=3,miso=2", std::nullopt},
        {"gpio:gpiochip0:mosi=0,sck=1,rst=3", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseCableChoice(c.text), c.cable) << c.text;
        EXPECT_EQ(CableChoiceProblem(c.text).empty(), c.cable.has_value())
            << c.text << ": " << CableChoiceProblem(c.text);
    }
}

}  // namespace
}  // namespace qvt
