// QVT410.CFG: read from a file of any content and size, then each setting
// written back in place and read again.
#include <unistd.h>

#include <cstdint>
#include <vector>

#include "core/config_file.h"
#include "fuzz/fuzz_support.h"
#include "platform/files/config_file_access.h"

namespace {

using namespace qvt;

void CheckRanges(const ConfigValues& v) {
    FUZZ_CHECK(v.portIndex <= 5);
    FUZZ_CHECK(v.lptIndex <= 3);
    const std::uint16_t base = LptBaseForIndex(v.lptIndex);
    FUZZ_CHECK(base == 0x378 || base == 0x278);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static qvt::fuzz::MemoryFile input;
    input.Fill(data, size);

    // An existing file is read as it is, never rewritten by reading.
    const std::optional<ConfigValues> read = ReadConfigurationFile(input.path());
    FUZZ_CHECK(read.has_value());
    CheckRanges(*read);
    FUZZ_CHECK(input.size() == static_cast<off_t>(size));

    // What the dialogs store comes back, and leaves the other settings alone
    // (a short file gets its missing bytes on the way).
    const auto port = static_cast<std::uint8_t>(size % 6);
    const auto baud = static_cast<std::uint8_t>(1 + size % 7);
    const auto lpt = static_cast<std::uint8_t>(size % 4);
    WriteSerialSettings(port, baud, input.path());
    const std::optional<ConfigValues> serial = ReadConfigurationFile(input.path());
    FUZZ_CHECK(serial && serial->portIndex == port && serial->baudIndex == baud);
    if (size >= kConfigFileSize)
        FUZZ_CHECK(serial->lptIndex == read->lptIndex &&
                   serial->showTelegram == read->showTelegram);

    WriteLptIndex(lpt, input.path());
    WriteShowTelegram(size % 2 == 0, input.path());
    const std::optional<ConfigValues> all = ReadConfigurationFile(input.path());
    FUZZ_CHECK(all && all->portIndex == port && all->baudIndex == baud && all->lptIndex == lpt &&
               all->showTelegram == (size % 2 == 0));
    CheckRanges(*all);
    return 0;
}
