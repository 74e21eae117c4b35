#include "platform/settings_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>
#include <optional>
#include <vector>

#include "core/trimmed.h"
#include "platform/error_reason.h"
#include "platform/files/atomic_file.h"
#include "platform/settings_reader.h"

namespace qvt {
namespace {

constexpr std::string_view kBlanks = " \t";

// One line of the file: its content and its line end ("\n", "\r\n" or none).
struct Line {
    std::string content;
    std::string end;
};

std::vector<Line> SplitLines(std::string_view text) {
    std::vector<Line> lines;
    while (!text.empty()) {
        const std::size_t newline = text.find('\n');
        std::string_view content = text.substr(0, newline);
        std::string end = newline == std::string_view::npos ? "" : "\n";
        if (!end.empty() && content.ends_with('\r')) {
            content.remove_suffix(1);
            end = "\r\n";
        }
        lines.push_back({std::string(content), end});
        text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);
    }
    return lines;
}

// A path of plain characters stands as it is; anything else is quoted, the
// way the settings reader takes a quoted value apart.
std::string IniValue(const std::string& device) {
    const bool plain = !device.empty() && std::all_of(device.begin(), device.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) ||
               std::string_view("/._-+:").find(c) != std::string_view::npos;
    });
    if (plain)
        return device;
    std::string quoted = "\"";
    for (char c : device) {
        switch (c) {
            case '"':
            case '\\':
                quoted += '\\';
                quoted += c;
                break;
            case '\n':
                quoted += "\\n";
                break;
            case '\r':
                quoted += "\\r";
                break;
            case '\t':
                quoted += "\\t";
                break;
            default:
                quoted += c;
        }
    }
    return quoted + "\"";
}

// Where the value of a key line ends: at a comment outside quotes, without the
// blanks before it.
std::size_t ValueEnd(std::string_view line, std::size_t from) {
    bool quoted = false;
    std::size_t end = from;
    for (std::size_t i = from; i < line.size(); ++i) {
        if (quoted && line[i] == '\\') {
            ++i;
        } else if (line[i] == '"') {
            quoted = !quoted;
        } else if (!quoted && line[i] == ';') {
            break;
        }
        if (kBlanks.find(line[i]) == std::string_view::npos)
            end = i + 1;
    }
    return end;
}

// Any line that starts with '[' opens a section, as the settings reader sees
// it: a comment is cut off first ("[serial; old" is [serial), one without the
// closing ']' is named by the rest of the line, and the name goes without the
// blanks around it.
std::optional<std::string> SectionName(std::string_view line) {
    const std::string_view t = Trimmed(line.substr(0, ValueEnd(line, 0)));
    if (!t.starts_with('['))
        return std::nullopt;
    return std::string(Trimmed(t.substr(1, t.find(']') - 1)));
}

bool IsKeyLine(std::string_view line, std::string_view key) {
    return Trimmed(line.substr(0, line.find('='))) == key;
}

}  // namespace

std::string WithSerialDevice(std::string_view ini, int portNumber, const std::string& device) {
    return WithIniValue(ini, "serial", "COM" + std::to_string(portNumber), device);
}

std::string WithIniValue(std::string_view ini, const std::string& sectionName,
                         const std::string& key, const std::string& plainValue) {
    const std::string value = IniValue(plainValue);
    std::vector<Line> lines = SplitLines(ini);
    const std::string lineEnd = ini.find("\r\n") != std::string_view::npos ? "\r\n" : "\n";

    bool inSection = false;
    bool replaced = false;
    std::optional<std::size_t> lastInSection;  // the line a new key goes after
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string& content = lines[i].content;
        if (const std::optional<std::string> section = SectionName(content)) {
            inSection = *section == sectionName;
            if (inSection && !lastInSection)
                lastInSection = i;
            continue;
        }
        const std::string_view trimmed = Trimmed(content);
        if (!inSection || trimmed.starts_with(';') || trimmed.starts_with('#') ||
            content.find('=') == std::string::npos)
            continue;
        lastInSection = i;
        if (!IsKeyLine(content, key))
            continue;
        const std::size_t start = content.find_first_not_of(kBlanks, content.find('=') + 1);
        const std::size_t from = start == std::string::npos ? content.size() : start;
        content.replace(from, ValueEnd(content, from) - from, value);
        replaced = true;
    }
    if (!replaced) {
        const Line added{key + "=" + value, lineEnd};
        if (lastInSection) {
            std::size_t at = *lastInSection + 1;
            if (lines[*lastInSection].end.empty()) {
                lines[*lastInSection].end = lineEnd;
                // A backslash that ended the file ended nothing; before a line
                // end it joins the next line to its value. An empty line then
                // takes that place, so the new key stays a line of its own.
                if (lines[*lastInSection].content.ends_with('\\'))
                    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at++), {"", lineEnd});
            }
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), added);
        } else {
            if (!lines.empty() && lines.back().end.empty())
                lines.back().end = lineEnd;
            if (!lines.empty())
                lines.push_back({"", lineEnd});
            lines.push_back({"[" + sectionName + "]", lineEnd});
            lines.push_back(added);
        }
    }
    std::string text;
    for (const Line& line : lines) text += line.content + line.end;
    return text;
}

namespace {

// The file's text; an error number when it is there but cannot be read or is
// too large for a settings file. A missing file is an empty one.
int ReadExisting(const std::string& path, std::string& text) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? 0 : errno;
    struct stat info {};
    int error = ::fstat(fd, &info) != 0 ? errno : S_ISREG(info.st_mode) ? 0 : kNotAPlainFile;
    char buffer[4096];
    while (error == 0) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0 && text.size() + static_cast<std::size_t>(n) > kLargestSettingsFile)
            error = EFBIG;
        else if (n > 0)
            text.append(buffer, static_cast<std::size_t>(n));
        else if (n == 0)
            break;
        else if (errno != EINTR)
            error = errno;
    }
    ::close(fd);
    return error;
}

}  // namespace

std::string WriteSerialDevice(const std::string& path, int portNumber, const std::string& device) {
    return WriteIniValues(path, "serial", {{"COM" + std::to_string(portNumber), device}});
}

std::string WriteCable(const std::string& path, const CableChoice& cable) {
    // emulated= is the rehearsal's switch, set by hand in the file: kept as it is.
    return WriteIniValues(
        path, "cable",
        {{"type", CableTypeName(cable.type)}, {"device", cable.device}, {"pins", cable.pins}});
}

std::string WriteIniValues(const std::string& path, const std::string& section,
                           const std::vector<std::pair<std::string, std::string>>& values) {
    std::string text;
    int error = ReadExisting(path, text);
    for (const auto& [key, value] : values) text = WithIniValue(text, section, key, value);
    if (error == 0)
        error = ReplaceFileContents(path, text);
    if (error == 0)
        return {};
    return std::filesystem::path(path).filename().string() + " kann nicht geschrieben werden: " +
           (error == kNotAPlainFile ? "keine gewöhnliche Datei" : ErrorReason(error));
}

}  // namespace qvt
