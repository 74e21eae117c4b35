#include "platform/any_case_file.h"

#include <algorithm>
#include <filesystem>

namespace qvt {
namespace {

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return AsciiLower(x) == AsciiLower(y);
           });
}

}  // namespace

std::string FindFileAnyCase(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path wanted(path);
    if (fs::exists(wanted, error))
        return path;
    const fs::path folder = wanted.has_parent_path() ? wanted.parent_path() : fs::path(".");
    const std::string name = wanted.filename().string();
    std::string found;
    int matches = 0;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (SameIgnoringCase(it->path().filename().string(), name) && it->is_regular_file(error)) {
            found = (wanted.has_parent_path() ? it->path() : it->path().filename()).string();
            ++matches;
        }
    }
    return matches == 1 ? found : path;
}

}  // namespace qvt
