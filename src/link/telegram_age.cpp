#include "link/telegram_age.h"

#include <algorithm>
#include <vector>

namespace qvt {

void TelegramAge::Received(TimePoint at) {
    if (last_) {
        intervals_.push_back(at - *last_);
        if (intervals_.size() > kIntervalsKept)
            intervals_.pop_front();
    }
    last_ = at;
}

void TelegramAge::Forget() {
    last_.reset();
    intervals_.clear();
}

std::optional<TelegramAge::TimePoint> TelegramAge::OverdueAt() const {
    if (!last_ || intervals_.empty())
        return std::nullopt;
    std::vector<Duration> sorted(intervals_.begin(), intervals_.end());
    std::sort(sorted.begin(), sorted.end());
    const std::size_t middle = sorted.size() / 2;
    const Duration median =
        sorted.size() % 2 == 1 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
    return *last_ + std::max(kMinimumThreshold, median * 5 / 2);
}

std::optional<std::int64_t> TelegramAge::SilentSeconds(TimePoint now) const {
    const std::optional<TimePoint> overdue = OverdueAt();
    if (!overdue || now < *overdue)
        return std::nullopt;
    return std::chrono::duration_cast<std::chrono::seconds>(now - *last_).count();
}

TelegramAge::TimePoint TelegramAge::NextSecondAfter(TimePoint now) const {
    const TimePoint from = last_.value_or(now);
    const auto whole = std::chrono::duration_cast<std::chrono::seconds>(now - from);
    return from + whole + std::chrono::seconds(1);
}

std::string SilenceTitle(std::int64_t seconds) {
    return "Messwert \u2013 seit " + std::to_string(seconds) + " s kein Telegramm";
}

std::string NoConnectionTitle(const std::string& portName, const std::string& device) {
    return "Messwert \u2013 keine Verbindung (" + portName + ": " + device + ")";
}

std::string PortBusyTitle(const std::string& portName, const std::string& device) {
    return "Messwert \u2013 Schnittstelle belegt (" + portName + ": " + device + ")";
}

}  // namespace qvt
