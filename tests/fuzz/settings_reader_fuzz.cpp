// QVT410.INI: the settings read from a file of any content, and the
// assignment of a serial device ("Zuordnen...") written into that text and
// read back.
#include <unistd.h>

#include <QString>
#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "core/platform_settings.h"
#include "fuzz/fuzz_support.h"
#include "platform/settings_reader.h"
#include "platform/settings_writer.h"

namespace {

using namespace qvt;

// Qt keeps the settings of a file name it has read and reuses them while the
// file's size and time look unchanged: each input gets a time of its own. One
// name keeps Qt's cache at one entry (names of their own would fill it, and
// the growing memory would make the fuzzer look for leaks after every input).
class InputFiles {
  public:
    InputFiles() {
        std::string pattern = (std::filesystem::temp_directory_path() / "qvt-ini-XXXXXX").string();
        folder_ = mkdtemp(pattern.data());
    }
    ~InputFiles() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    PlatformSettings Read(std::string_view text) {
        const std::filesystem::path path = folder_ / "QVT410.INI";
        std::ofstream(path, std::ios::binary).write(text.data(), std::ssize(text));
        std::filesystem::last_write_time(
            path, std::filesystem::file_time_type() + std::chrono::seconds(++count_));
        return ReadPlatformSettings(QString::fromStdString(path.string()));
    }

  private:
    std::filesystem::path folder_;
    unsigned long count_ = 0;
};

void CheckSane(const PlatformSettings& s) {
    FUZZ_CHECK(s.emulatedChip == Chip::k8252 || s.emulatedChip == Chip::k8253);
    FUZZ_CHECK(static_cast<int>(s.parallelAccess) <= static_cast<int>(ParallelAccess::kAuto));
    for (const std::string& device : s.serialDevices) FUZZ_CHECK(!device.empty());
    FUZZ_CHECK(!s.emulatedCodeFile.empty() && !s.emulatedDataFile.empty());
}

// Device names as users type them, blanks, separators and quotes included.
constexpr const char* kDevices[] = {"/dev/ttyUSB0", "/dev/serial/by-id/usb-FTDI_A1 B2",
                                    "/tmp/a;b,c", "C:\\com \"7\"", "/dev/tty\t#x"};

// Qt reads a quoted value on across line ends, takes a lone CR for a line
// end and a backslash before a line end for a continuation, and reads
// section names and keys as paths with %-escapes ("[serial/]" is [serial]);
// the writer edits the lines and names as the file shows them. Known gap,
// left open: an assignment into a file with these is not checked.
bool PlainName(std::string_view name) {
    return std::all_of(name.begin(), name.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return (u >= 0x20 || c == '\t') && u < 0x7F &&
               std::string_view("%/\\\"").find(c) == std::string_view::npos;
    });
}

bool NamesAsQtReadsThem(std::string_view text) {
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view line = text.substr(start, end - start);
        start = end + 1;
        const std::string_view content = line.substr(0, line.find(';'));
        if (line.find_first_not_of(" \t") != std::string_view::npos &&
            line[line.find_first_not_of(" \t")] == '[') {
            const std::size_t open = line.find('[');
            if (!PlainName(line.substr(open + 1, line.find(']') - open - 1)))
                return false;
        } else if (content.find('=') != std::string_view::npos &&
                   !PlainName(content.substr(0, content.find('=')))) {
            return false;
        }
    }
    return true;
}

bool LinesAsQtReadsThem(std::string_view text) {
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool lineEndNext =
            i + 1 < text.size() && (text[i + 1] == '\n' || text[i + 1] == '\r');
        if (c == '\\' && lineEndNext)
            return false;
        if (c == '\\')
            ++i;
        else if (c == '"')
            quoted = !quoted;
        else if (c == ';' && !quoted)
            i = std::min(text.find_first_of("\r\n", i), text.size()) - 1;
        else if ((c == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')) ||
                 (c == '\n' && quoted))
            return false;
    }
    return !quoted;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static InputFiles files;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CheckSane(files.Read(text));

    const int port = 1 + static_cast<int>(size % 6);
    const std::string device = kDevices[size % std::size(kDevices)];
    const PlatformSettings assigned = files.Read(WithSerialDevice(text, port, device));
    CheckSane(assigned);
    if (LinesAsQtReadsThem(text) && NamesAsQtReadsThem(text))
        FUZZ_CHECK(assigned.SerialDeviceFor(port - 1) == device);
    return 0;
}
