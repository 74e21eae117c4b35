// Parameter files (.QVC): loaded from a file of any content and size, then the
// parameter telegram built from the loaded set for every device type.
#include <algorithm>
#include <ctime>
#include <span>

#include "core/parameter_record.h"
#include "core/qvc_file.h"
#include "devsim/telegram_decoder.h"
#include "fuzz/fuzz_support.h"
#include "link/telegrams.h"
#include "platform/files/parameter_file.h"

namespace {

using namespace qvt;

ParameterRecord Marked() {
    ParameterRecord r;
    r.sp1Setpoint = "4711";
    r.deviceType = kDeviceQvt055;
    return r;
}

bool SameStoredFields(const ParameterRecord& a, const ParameterRecord& b) {
    return EncodeParameterFile(a) == EncodeParameterFile(b) && a.deviceType == b.deviceType;
}

// The telegram the device gets for this set: its frame, and its last byte the
// sum of all before it, so the device acknowledges it.
void CheckTelegram(const ParameterRecord& record) {
    std::tm noon{};
    noon.tm_hour = 12;
    noon.tm_mday = 1;
    noon.tm_year = 126;
    const ParameterTelegramBytes bytes = ParameterTelegram(record, noon);
    unsigned sum = 0;
    for (std::size_t i = 0; i + 1 < bytes.size(); ++i) sum += bytes[i];
    FUZZ_CHECK(bytes[0] == 0x02 && bytes[1] == 0x3D);
    FUZZ_CHECK(bytes[62] == (sum & 0xFF));
    FUZZ_CHECK(CheckParameterTelegram(bytes) == TelegramCheck::kOk);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static qvt::fuzz::MemoryFile input;
    input.Fill(data, size);

    ParameterRecord record = Marked();
    const bool loaded = LoadParameterFile(input.path(), record);
    if (!loaded) {
        // Refused: the set in use stays as it was.
        FUZZ_CHECK(SameStoredFields(record, Marked()));
        return 0;
    }
    FUZZ_CHECK(record.deviceType <= kDeviceQvt055);

    // Only the first 76 bytes count, however long the file is.
    ParameterRecord fromHead = Marked();
    const std::span<const std::uint8_t> head(data, std::min(size, kParameterFileSize));
    FUZZ_CHECK(DecodeKnownParameterFile(head, fromHead));
    FUZZ_CHECK(SameStoredFields(record, fromHead));

    // Saving the loaded set and loading it again changes nothing.
    const ParameterFileImage saved = EncodeParameterFile(record);
    ParameterRecord reloaded;
    FUZZ_CHECK(DecodeKnownParameterFile(saved, reloaded));
    FUZZ_CHECK(EncodeParameterFile(reloaded) == saved);

    for (std::uint8_t type = kDeviceQvt410; type <= kDeviceQvt055; ++type) {
        ParameterRecord sent = record;
        sent.deviceType = type;
        CheckTelegram(sent);
    }
    return 0;
}
