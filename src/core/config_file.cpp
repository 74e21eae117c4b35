#include "core/config_file.h"

#include <cstdio>

#include "platform/posix/regular_file.h"

namespace qvt {
namespace {

constexpr unsigned char kDefaults[4] = {0x01, 0x05, 0x00, 0x01};

// Reads one byte; past the end the reader's EOF value, narrowed to a byte, is 255.
std::uint8_t ReadByteOrEof(std::FILE* f) {
    return static_cast<std::uint8_t>(std::fgetc(f));
}

void PatchAt(const std::string& path, long offset, const unsigned char* bytes, std::size_t count) {
    // Only an existing plain file is patched; anything else of that name is
    // left alone without waiting on it.
    const UniqueFile f = OpenRegularFile(path, FileAccess::Update);
    if (!f)
        return;
    if (std::fseek(f.get(), offset, SEEK_SET) != 0)
        return;
    std::fwrite(bytes, 1, count, f.get());
}

}  // namespace

std::optional<ConfigValues> ReadConfigurationFile(const std::string& path) {
    // A pipe, device or folder of that name counts as no access: the program
    // could neither keep its settings there nor rely on reading them back.
    UniqueFile f = OpenRegularFile(path, FileAccess::Read);
    if (!f) {
        f = OpenRegularFile(path, FileAccess::AppendOrCreate);
        if (!f)
            return std::nullopt;
        std::fwrite(kDefaults, 1, sizeof kDefaults, f.get());
        std::fflush(f.get());
        std::rewind(f.get());
    }
    ConfigValues v;
    v.PortIndex = ReadByteOrEof(f.get());
    v.BaudIndex = ReadByteOrEof(f.get());
    v.LptIndex = ReadByteOrEof(f.get());
    v.ShowTelegram = ReadByteOrEof(f.get()) != 0;
    // A short file is fine (end of file); a read error (an unreadable medium)
    // means there is no usable configuration.
    if (std::ferror(f.get()))
        return std::nullopt;
    if (v.PortIndex > 5)
        v.PortIndex = 5;
    if (v.LptIndex > 3)
        v.LptIndex = 3;
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
