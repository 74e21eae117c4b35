#include "platform/chip_memory_file.h"

#include <filesystem>
#include <fstream>

namespace qvt {

std::vector<std::uint8_t> LoadMemoryImage(const std::string& path, std::size_t size) {
    std::vector<std::uint8_t> image(size, 0xFF);
    std::ifstream in(path, std::ios::binary);
    if (in)
        in.read(reinterpret_cast<char*>(image.data()), static_cast<std::streamsize>(size));
    return image;
}

bool SaveMemoryImage(const std::string& path, const std::vector<std::uint8_t>& image) {
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(image.data()),
                  static_cast<std::streamsize>(image.size()));
        if (!out.flush())
            return false;
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    return !error;
}

}  // namespace qvt
