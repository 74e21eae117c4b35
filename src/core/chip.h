#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace qvt {

// The two 8051 microcontrollers a device can carry. They differ in memory
// size, in how they are programmed over ISP (byte by byte or page by page)
// and in the firmware made for them. Code asks the chip's profile below what
// it needs; only the settings file, the command line and the texts shown to
// the user speak of a chip by its number.
enum class Chip { k8252, k8253 };

// The chip a run starts with, in the window and on the command line.
inline constexpr Chip kDefaultChip = Chip::k8253;

struct ChipProfile {
    Chip chip;
    std::uint16_t number;  // the type number printed on the chip

    std::size_t codeSize;  // program memory in bytes
    std::size_t dataSize;  // data memory in bytes

    // Bytes one write instruction stores: 1 when the chip is written byte by
    // byte and each byte is polled until it reads back, the page size when
    // it is written page by page and each page is compared after writing.
    std::uint16_t codePageSize;
    std::uint16_t dataPageSize;

    // Length of the programming-enable instruction (0xAC 0x53 ...) in bytes;
    // every other instruction starting with 0xAC is one byte longer.
    std::size_t enableInstructionLength;

    // Erasing: how long the chip needs (microseconds), whether programming
    // must be enabled again before it reads, and the program memory address
    // that must then read 0xFF.
    int eraseMicroseconds;
    bool enableAgainAfterErase;
    std::uint16_t eraseCheckAddress;

    // Firmware comes in a single-device and a network-device edition (the
    // program file's first letter, the device label's "-3E"/"-3N").
    bool hasEditions;
    // Firmware is made for the QVT410 with this chip.
    bool hasQvt410Firmware;

    constexpr bool writesPages() const { return codePageSize > 1; }
};

inline constexpr ChipProfile kProfile8252{
    .chip = Chip::k8252,
    .number = 8252,
    .codeSize = 8192,
    .dataSize = 2048,
    .codePageSize = 1,
    .dataPageSize = 1,
    .enableInstructionLength = 2,
    .eraseMicroseconds = 2000,
    .enableAgainAfterErase = true,
    .eraseCheckAddress = 100,
    .hasEditions = false,
    .hasQvt410Firmware = true,
};

inline constexpr ChipProfile kProfile8253{
    .chip = Chip::k8253,
    .number = 8253,
    .codeSize = 12288,
    .dataSize = 2048,
    .codePageSize = 64,
    .dataPageSize = 32,
    .enableInstructionLength = 3,
    .eraseMicroseconds = 3000,
    .enableAgainAfterErase = false,
    .eraseCheckAddress = 0,
    .hasEditions = true,
    .hasQvt410Firmware = false,
};

constexpr const ChipProfile& ProfileOf(Chip chip) {
    return chip == Chip::k8252 ? kProfile8252 : kProfile8253;
}

// The chip's type number, as the settings, the command line and the captions
// give it.
constexpr std::uint16_t ChipNumber(Chip chip) {
    return ProfileOf(chip).number;
}

// The chip with that type number; none for any other number.
constexpr std::optional<Chip> ChipFromNumber(long number) {
    for (const ChipProfile* profile : {&kProfile8252, &kProfile8253}) {
        if (profile->number == number)
            return profile->chip;
    }
    return std::nullopt;
}

}  // namespace qvt
