#include "core/cable_choice.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <limits>

#include "core/trimmed.h"

namespace qvt {
namespace {

struct ShippedMap {
    const char* name;
    PinMap map;
};

// FT232R breakout: its UART pins (TXD D0, RXD D1, RTS# D2, DTR# D4).
// FT232H breakout: ADBUS AD0..AD3, the MPSSE SPI pins used as plain bits.
// Raspberry Pi header: BCM line offsets of the SPI0 pins and GPIO25.
constexpr std::array<ShippedMap, 3> kShippedMaps{{
    {"ft232r", {{2, false}, {0, false}, {4, false}, {1, false}}},
    {"ft232h", {{1, false}, {0, false}, {3, false}, {2, false}}},
    {"raspberrypi", {{10, false}, {11, false}, {25, false}, {9, false}}},
}};

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

const ShippedMap* ShippedNamed(std::string_view name) {
    const std::string lower = Lower(Trimmed(name));
    for (const ShippedMap& shipped : kShippedMaps) {
        if (lower == shipped.name)
            return &shipped;
    }
    return nullptr;
}

// The four lines in the order of the written form.
struct LineSlot {
    const char* key;
    const char* shown;
    CablePin PinMap::*pin;
};
constexpr std::array<LineSlot, 4> kLines{{
    {"mosi", "MOSI", &PinMap::mosi},
    {"sck", "SCK", &PinMap::sck},
    {"rst", "RST", &PinMap::rst},
    {"miso", "MISO", &PinMap::miso},
}};

std::string Quoted(std::string_view text) {
    return "„" + std::string(text) + "“";
}

// Every line present once was made sure of while reading; here: the numbers
// in range and no pin carrying two lines.
std::string MapProblem(const PinMap& map, int pinCount) {
    for (std::size_t i = 0; i < kLines.size(); ++i) {
        const CablePin& pin = map.*kLines[i].pin;
        if (pin.number < 0 || pin.number >= pinCount) {
            return "Pinbelegung: Pin " + std::to_string(pin.number) + " für " + kLines[i].shown +
                   " gibt es nicht (0 bis " + std::to_string(pinCount - 1) + ")";
        }
        for (std::size_t j = 0; j < i; ++j) {
            if ((map.*kLines[j].pin).number == pin.number) {
                return "Pinbelegung: Pin " + std::to_string(pin.number) + " ist für " +
                       kLines[j].shown + " und " + kLines[i].shown + " angegeben";
            }
        }
    }
    return {};
}

PinMapResult Refused(std::string problem) {
    return {std::nullopt, std::move(problem)};
}

}  // namespace

std::optional<CableType> ParseCableType(std::string_view word) {
    if (word == "parallel")
        return CableType::kParallel;
    if (word == "ftdi")
        return CableType::kFtdi;
    if (word == "gpio")
        return CableType::kGpio;
    return std::nullopt;
}

const char* CableTypeName(CableType type) {
    switch (type) {
        case CableType::kFtdi:
            return "ftdi";
        case CableType::kGpio:
            return "gpio";
        case CableType::kParallel:
            break;
    }
    return "parallel";
}

PinMapResult ParsePinMap(std::string_view text, int pinCount) {
    if (const ShippedMap* shipped = ShippedNamed(text)) {
        if (std::string problem = MapProblem(shipped->map, pinCount); !problem.empty())
            return Refused(Quoted(shipped->name) + " passt nicht zu diesem Kabel: " + problem);
        return {shipped->map, {}};
    }
    const std::string written = Lower(Trimmed(text));
    if (written.empty())
        return Refused("Pinbelegung fehlt");
    if (written.find('=') == std::string::npos) {
        return Refused("Pinbelegung " + Quoted(written) +
                       " ist unbekannt (ft232r, ft232h, raspberrypi oder ausgeschrieben wie "
                       "mosi=0,sck=1,rst=3,miso=2)");
    }
    PinMap map;
    std::array<bool, kLines.size()> seen{};
    std::string_view rest = written;
    while (true) {
        const std::size_t comma = rest.find(',');
        const std::string_view item = Trimmed(rest.substr(0, comma));
        const std::size_t eq = item.find('=');
        if (eq == std::string_view::npos)
            return Refused("Pinbelegung: " + Quoted(item) + " ist keine Angabe LEITUNG=PIN");
        const std::string_view key = Trimmed(item.substr(0, eq));
        const auto line = std::find_if(kLines.begin(), kLines.end(),
                                       [&](const LineSlot& slot) { return key == slot.key; });
        if (line == kLines.end())
            return Refused("Pinbelegung: unbekannte Leitung " + Quoted(key) +
                           " (mosi, sck, rst, miso)");
        const auto index = static_cast<std::size_t>(line - kLines.begin());
        if (seen[index])
            return Refused(std::string("Pinbelegung: ") + line->shown + " ist zweimal angegeben");
        seen[index] = true;

        std::string_view value = Trimmed(item.substr(eq + 1));
        CablePin pin;
        pin.inverted = value.starts_with('~');
        if (pin.inverted)
            value = Trimmed(value.substr(1));
        const char* end = value.data() + value.size();
        // from_chars would take a minus sign: no pin has a negative number.
        const auto parsed = std::from_chars(value.data(), end, pin.number);
        if (value.empty() || value.starts_with('-') || parsed.ec != std::errc() ||
            parsed.ptr != end)
            return Refused("Pinbelegung: " + Quoted(item.substr(eq + 1)) + " für " + line->shown +
                           " ist keine Pinnummer");
        map.*line->pin = pin;

        if (comma == std::string_view::npos)
            break;
        rest.remove_prefix(comma + 1);
    }
    for (std::size_t i = 0; i < kLines.size(); ++i) {
        if (!seen[i])
            return Refused(std::string("Pinbelegung: ") + kLines[i].shown + " fehlt");
    }
    if (std::string problem = MapProblem(map, pinCount); !problem.empty())
        return Refused(std::move(problem));
    return {map, {}};
}

std::string PinMapText(const PinMap& map) {
    std::string text;
    for (const LineSlot& line : kLines) {
        const CablePin& pin = map.*line.pin;
        if (!text.empty())
            text += ',';
        text +=
            std::string(line.key) + '=' + (pin.inverted ? "~" : "") + std::to_string(pin.number);
    }
    return text;
}

CableChoice WithDefaults(CableChoice cable) {
    if (cable.type == CableType::kFtdi && cable.pins.empty())
        cable.pins = "ft232r";
    if (cable.type == CableType::kGpio) {
        if (cable.device.empty())
            cable.device = "gpiochip0";
        if (cable.pins.empty())
            cable.pins = "raspberrypi";
    }
    return cable;
}

namespace {

constexpr std::string_view kForms =
    "parallel, ftdi[:GERÄT[:PINS]], gpio[:GERÄT[:PINS]], emulated-ftdi[...] oder "
    "emulated-gpio[...]";

bool IsDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c)) != 0;
    });
}

// The cable, or why not.
std::optional<CableChoice> Parse(std::string_view text, std::string& problem) {
    const auto refuse = [&problem](std::string why) -> std::optional<CableChoice> {
        problem = std::move(why);
        return std::nullopt;
    };
    if (text == "parallel")
        return CableChoice{};

    CableChoice cable;
    std::string_view rest = text;
    if (rest.starts_with("emulated-")) {
        cable.emulated = true;
        rest.remove_prefix(std::string_view("emulated-").size());
    }
    const std::size_t colon = rest.find(':');
    const std::optional<CableType> type = ParseCableType(rest.substr(0, colon));
    if (!type || *type == CableType::kParallel)
        return refuse("Kabel " + Quoted(text) + " ist unbekannt (" + std::string(kForms) + ")");
    cable.type = *type;

    if (colon != std::string_view::npos) {
        std::string_view fields = rest.substr(colon + 1);
        const std::size_t last = fields.rfind(':');
        if (last != std::string_view::npos) {
            const std::string_view tail = fields.substr(last + 1);
            if (tail.empty() || ShippedNamed(tail) || tail.find('=') != std::string_view::npos) {
                cable.pins = std::string(tail);
                fields = fields.substr(0, last);
            }
        }
        cable.device = std::string(fields);
    }
    cable = WithDefaults(cable);
    if (std::string why = CableProblem(cable); !why.empty())
        return refuse("Kabel " + Quoted(text) + ": " + why);
    return cable;
}

}  // namespace

std::string CableProblem(const CableChoice& cable) {
    if (cable.type == CableType::kParallel)
        return {};
    if (cable.device.find_first_of("=,") != std::string::npos) {
        return "vor der Pinbelegung fehlt das Gerät (" + std::string(CableTypeName(cable.type)) +
               "::PINS für das vorgegebene)";
    }
    if (cable.device.starts_with("usb:")) {
        const std::string_view path = std::string_view(cable.device).substr(4);
        const std::size_t split = path.find(':');
        if (split == std::string_view::npos || !IsDigits(path.substr(0, split)) ||
            !IsDigits(path.substr(split + 1)))
            return "USB-Adresse " + Quoted(cable.device) + " hat nicht die Form usb:BUS:GERÄT";
    }
    const int pinCount =
        cable.type == CableType::kFtdi ? kFtdiPinCount : std::numeric_limits<int>::max();
    return ParsePinMap(cable.pins, pinCount).problem;
}

std::optional<CableChoice> ParseCableChoice(std::string_view text) {
    std::string problem;
    return Parse(text, problem);
}

std::string CableChoiceProblem(std::string_view text) {
    std::string problem;
    Parse(text, problem);
    return problem;
}

}  // namespace qvt
