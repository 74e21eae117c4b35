#pragma once

// Words of a parameter file image as the tests read and write them: numbered
// from 1 as in the format's description, signed, little-endian.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace qvt::testing {

using Bytes = std::vector<std::uint8_t>;

inline std::int16_t WordAt(std::span<const std::uint8_t> image, int wordNumber) {
    const std::size_t offset = 2 * static_cast<std::size_t>(wordNumber - 1);
    return static_cast<std::int16_t>(image[offset] | (image[offset + 1] << 8));
}

inline void SetWord(Bytes& image, int wordNumber, std::int16_t value) {
    const std::size_t offset = 2 * static_cast<std::size_t>(wordNumber - 1);
    const auto word = static_cast<std::uint16_t>(value);
    image[offset] = static_cast<std::uint8_t>(word & 0xFF);
    image[offset + 1] = static_cast<std::uint8_t>(word >> 8);
}

}  // namespace qvt::testing
