#include "trend/model/trend_history.h"

#include <algorithm>
#include <utility>

#include "link/telegram_value.h"

namespace qvt {

TrendHistory::TrendHistory(std::size_t capacity) : capacity_(std::max<std::size_t>(capacity, 1)) {}

// Below the cap the vector grows at the end, doubling its memory but never
// beyond the cap; at the cap it is a ring and the oldest slot is reused.
TrendSample& TrendHistory::NextSlot() {
    if (samples_.size() < capacity_) {
        if (samples_.size() == samples_.capacity())
            samples_.reserve(std::min(capacity_, std::max<std::size_t>(1024, 2 * samples_.size())));
        ++count_;
        return samples_.emplace_back();
    }
    TrendSample& oldest = samples_[first_];
    first_ = (first_ + 1) % capacity_;
    ++dropped_;
    return oldest;
}

void TrendHistory::Add(Clock::TimePoint at, const ReceivedTelegram& telegram) {
    const MeasuredValue reading = ReadMeasuredValue(telegram);
    if (count_ > 0)
        at = std::max(at, (*this)[count_ - 1].at);
    TrendSample& sample = NextSlot();
    sample.at = at;
    sample.afterInterruption = std::exchange(interrupted_, false) && count_ > 1;
    sample.hasNumber = reading.number.has_value();
    sample.value = reading.number.value_or(0);
    sample.decimals = static_cast<std::int8_t>(std::clamp(reading.decimals, 0, 9));
    sample.unit = reading.unit;
    sample.telegram = telegram.text;
    ++added_;
}

std::size_t TrendHistory::FirstAtOrAfter(Clock::TimePoint from) const {
    std::size_t low = 0;
    std::size_t high = count_;
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if ((*this)[middle].at < from)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

}  // namespace qvt
