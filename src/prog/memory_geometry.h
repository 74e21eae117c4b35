#pragma once

#include <cstddef>
#include <cstdint>

#include "core/chip.h"

namespace qvt {

// Program and data memory of the 8253 as its page instructions see them.
struct MemoryGeometry {
    std::uint8_t writePageOpcode;
    std::uint8_t readPageOpcode;
    std::uint8_t highMask;  // address bits 15-8 the instruction carries
    std::uint8_t lowMask;   // address bits 7-0 of a page start
    std::uint16_t pageSize;
    std::uint16_t pages;

    constexpr std::size_t imageSize() const { return std::size_t{pageSize} * pages; }
};

inline constexpr MemoryGeometry kCodeMemory8253{0x50, 0x30, 0x3F, 0xC0, 64, 192};
inline constexpr MemoryGeometry kDataMemory8253{0xD0, 0xB0, 0x07, 0xE0, 32, 64};

static_assert(kCodeMemory8253.pageSize == kProfile8253.codePageSize &&
              kCodeMemory8253.imageSize() == kProfile8253.codeSize);
static_assert(kDataMemory8253.pageSize == kProfile8253.dataPageSize &&
              kDataMemory8253.imageSize() == kProfile8253.dataSize);

}  // namespace qvt
