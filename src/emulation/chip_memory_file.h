#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qvt {

// Raw memory images of the emulated chip: exactly the memory's size, 0xFF
// where erased. A missing file is an erased memory; a file of another length
// contributes what fits and the rest reads as erased.
std::vector<std::uint8_t> LoadMemoryImage(const std::string& path, std::size_t size);

// Replaces the file as a whole (see ReplaceFileContents), so an observer
// never sees half an image and a crash leaves the previous one. False when it
// could not be written.
bool SaveMemoryImage(const std::string& path, const std::vector<std::uint8_t>& image);

}  // namespace qvt
