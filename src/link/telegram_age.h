#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>

namespace qvt {

// How long the device has been quiet, measured against its own rhythm: a
// device sends on a cycle of its own (several telegrams a second up to one a
// minute), so silence only counts once it clearly exceeds the usual interval,
// 2.5 times the median of the last intervals and at least 5 s. Until two
// telegrams have arrived there is no usual interval and no silence.
class TelegramAge {
  public:
    using TimePoint = std::chrono::steady_clock::time_point;
    using Duration = std::chrono::steady_clock::duration;

    static constexpr std::size_t kIntervalsKept = 9;
    static constexpr Duration kMinimumThreshold = std::chrono::seconds(5);

    void Received(TimePoint at);
    // Another device, or none: its rhythm is not known.
    void Forget();

    // The moment from which silence counts; none while no interval is known.
    std::optional<TimePoint> OverdueAt() const;
    // Whole seconds since the last telegram once the silence counts.
    std::optional<std::int64_t> SilentSeconds(TimePoint now) const;
    // When the seconds shown next change (the next whole second since the
    // last telegram); meaningful only while the silence counts.
    TimePoint NextSecondAfter(TimePoint now) const;

  private:
    std::optional<TimePoint> last_;
    std::deque<Duration> intervals_;
};

// Titles of the measured-value frame while it shows no current value.
std::string SilenceTitle(std::int64_t seconds);
std::string NoConnectionTitle(const std::string& portName, const std::string& device);
std::string PortBusyTitle(const std::string& portName, const std::string& device);

}  // namespace qvt
