#include "platform/files/config_file_access.h"

#include <cstdio>
#include <filesystem>

#include "platform/files/regular_file.h"

namespace qvt {
namespace {

void PatchAt(const std::string& path, long offset, const std::uint8_t* bytes, std::size_t count) {
    // Only an existing plain file is patched; anything else of that name is
    // left alone without waiting on it.
    const UniqueFile f = OpenRegularFile(path, FileAccess::kUpdate);
    if (!f)
        return;
    if (std::fseek(f.get(), offset, SEEK_SET) != 0)
        return;
    std::fwrite(bytes, 1, count, f.get());
}

}  // namespace

namespace {

std::optional<ConfigValues> DecodeOpenFile(std::FILE* file) {
    // Past the end the byte reader's EOF value, narrowed to a byte, is 255.
    ConfigFileBytes bytes{};
    for (std::uint8_t& byte : bytes) byte = static_cast<std::uint8_t>(std::fgetc(file));
    // A short file is fine (end of file); a read error (an unreadable medium)
    // means there is no usable configuration.
    if (std::ferror(file))
        return std::nullopt;
    return DecodeConfigFile(bytes);
}

}  // namespace

std::optional<ConfigValues> ReadConfigurationFile(const std::string& path) {
    // A pipe, device or folder of that name counts as no access: the program
    // could neither keep its settings there nor rely on reading them back.
    UniqueFile f = OpenRegularFile(path, FileAccess::kRead);
    if (!f) {
        f = OpenRegularFile(path, FileAccess::kAppendOrCreate);
        if (!f)
            return std::nullopt;
        std::fwrite(kConfigFileDefaults.data(), 1, kConfigFileDefaults.size(), f.get());
        std::fflush(f.get());
        std::rewind(f.get());
    }
    return DecodeOpenFile(f.get());
}

std::optional<ConfigValues> ReadConfigurationFileOnly(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::exists(path, error) && !error)
        return DecodeConfigFile(kConfigFileDefaults);
    const UniqueFile f = OpenRegularFile(path, FileAccess::kRead);
    if (!f)
        return std::nullopt;
    return DecodeOpenFile(f.get());
}

void WriteSerialSettings(std::uint8_t portIndex, std::uint8_t baudIndex, const std::string& path) {
    const std::uint8_t bytes[2] = {portIndex, baudIndex};
    PatchAt(path, kSerialSettingsOffset, bytes, 2);
}

void WriteLptIndex(std::uint8_t lptIndex, const std::string& path) {
    PatchAt(path, kLptIndexOffset, &lptIndex, 1);
}

void WriteShowTelegram(bool shown, const std::string& path) {
    const std::uint8_t byte = shown ? 1 : 0;
    PatchAt(path, kShowTelegramOffset, &byte, 1);
}

}  // namespace qvt
