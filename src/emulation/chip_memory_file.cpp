#include "emulation/chip_memory_file.h"

#include <fstream>
#include <string_view>

#include "platform/files/atomic_file.h"

namespace qvt {

std::vector<std::uint8_t> LoadMemoryImage(const std::string& path, std::size_t size) {
    std::vector<std::uint8_t> image(size, 0xFF);
    std::ifstream in(path, std::ios::binary);
    if (in)
        in.read(reinterpret_cast<char*>(image.data()), static_cast<std::streamsize>(size));
    return image;
}

bool SaveMemoryImage(const std::string& path, const std::vector<std::uint8_t>& image) {
    return ReplaceFileContents(path, std::string_view(reinterpret_cast<const char*>(image.data()),
                                                      image.size())) == 0;
}

}  // namespace qvt
