#include "core/config_file.h"

#include <cstdio>
#include <memory>

namespace qvt {
namespace {

constexpr unsigned char kDefaults[4] = {0x01, 0x05, 0x00, 0x01};

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Reads one byte; past the end the reader's EOF value, narrowed to a byte, is 255.
std::uint8_t ReadByteOrEof(std::FILE* f) { return static_cast<std::uint8_t>(std::fgetc(f)); }

void PatchAt(const std::string& path, long offset, const unsigned char* bytes, std::size_t count) {
    File f(std::fopen(path.c_str(), "rb+"));
    if (!f) return;
    if (std::fseek(f.get(), offset, SEEK_SET) != 0) return;
    std::fwrite(bytes, 1, count, f.get());
}

}  // namespace

std::optional<ConfigValues> ReadConfigurationFile(const std::string& path) {
    File f(std::fopen(path.c_str(), "rb"));
    if (!f) {
        f.reset(std::fopen(path.c_str(), "ab+"));
        if (!f) return std::nullopt;
        std::fwrite(kDefaults, 1, sizeof kDefaults, f.get());
        std::fflush(f.get());
        std::rewind(f.get());
    }
    ConfigValues v;
    v.PortIndex = ReadByteOrEof(f.get());
    v.BaudIndex = ReadByteOrEof(f.get());
    v.LptIndex = ReadByteOrEof(f.get());
    v.ShowTelegram = ReadByteOrEof(f.get()) != 0;
    // A short file is fine (end of file); a read error (a folder of that name,
    // an unreadable medium) means there is no usable configuration.
    if (std::ferror(f.get())) return std::nullopt;
    if (v.PortIndex > 5) v.PortIndex = 5;
    if (v.LptIndex > 3) v.LptIndex = 3;
    return v;
}

std::uint16_t LptBaseForIndex(std::uint8_t lptIndex) {
    switch (lptIndex) {
        case 1:
        case 3:
            return 0x278;
        default:
            return 0x378;
    }
}

void WriteSerialSettings(std::uint8_t portIndex, std::uint8_t baudIndex, const std::string& path) {
    const unsigned char bytes[2] = {portIndex, baudIndex};
    PatchAt(path, 0, bytes, 2);
}

void WriteLptIndex(std::uint8_t lptIndex, const std::string& path) {
    const unsigned char byte = lptIndex;
    PatchAt(path, 2, &byte, 1);
}

void WriteShowTelegram(bool shown, const std::string& path) {
    const unsigned char byte = shown ? 1 : 0;
    PatchAt(path, 3, &byte, 1);
}

}  // namespace qvt
