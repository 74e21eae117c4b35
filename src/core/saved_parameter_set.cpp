#include "core/saved_parameter_set.h"

#include <algorithm>

namespace qvt {
namespace {

// Words 28 to 33 of the file: minute, hour, day, weekday, month, year.
constexpr std::size_t kFirstClockByte = std::size_t{2} * (28 - 1);
constexpr std::size_t kEndOfClockBytes = std::size_t{2} * 33;

}  // namespace

bool SavedParameterSet::Differs(const ParameterRecord& record) const {
    const ParameterFileImage now = EncodeParameterFile(record);
    if (record.rtcAuto != 1)
        return now != image_;
    const auto equalRange = [&](std::size_t begin, std::size_t end) {
        return std::equal(now.begin() + begin, now.begin() + end, image_.begin() + begin);
    };
    return !equalRange(0, kFirstClockByte) || !equalRange(kEndOfClockBytes, now.size());
}

}  // namespace qvt
