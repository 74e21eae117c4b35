#include "link/trend_history.h"

#include <algorithm>

#include "link/telegram_value.h"

namespace qvt {

TrendHistory::TrendHistory(std::size_t capacity) : samples_(std::max<std::size_t>(capacity, 1)) {}

void TrendHistory::Add(Clock::TimePoint at, const ReceivedTelegram& telegram) {
    const MeasuredValue reading = ReadMeasuredValue(telegram);
    if (count_ > 0)
        at = std::max(at, (*this)[count_ - 1].at);
    const std::size_t slot = (first_ + count_) % samples_.size();
    if (count_ == samples_.size()) {
        first_ = (first_ + 1) % samples_.size();
        ++dropped_;
    } else {
        ++count_;
    }
    TrendSample& sample = samples_[slot];
    sample.at = at;
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
