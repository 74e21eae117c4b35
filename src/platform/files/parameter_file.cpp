#include "platform/files/parameter_file.h"

#include <cstdio>
#include <span>
#include <string_view>

#include "core/qvc_file.h"
#include "platform/files/atomic_file.h"
#include "platform/files/regular_file.h"

namespace qvt {

bool LoadParameterFile(const std::string& path, ParameterRecord& record) {
    const UniqueFile f = OpenRegularFile(path, FileAccess::kRead);
    if (!f)
        return false;
    ParameterFileImage image{};
    const std::size_t got = std::fread(image.data(), 1, image.size(), f.get());
    if (std::ferror(f.get()))
        return false;
    return DecodeKnownParameterFile(std::span<const std::uint8_t>(image.data(), got), record);
}

bool SaveParameterFile(const std::string& path, const ParameterRecord& record) {
    const ParameterFileImage image = EncodeParameterFile(record);
    return ReplaceFileContents(path, std::string_view(reinterpret_cast<const char*>(image.data()),
                                                      image.size())) == 0;
}

}  // namespace qvt
