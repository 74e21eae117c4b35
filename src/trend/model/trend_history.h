#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/fixed_text.h"
#include "link/clock.h"
#include "link/telegram_assembler.h"

namespace qvt {

// One telegram as the trend keeps it.
struct TrendSample {
    Clock::TimePoint at;
    double value = 0;
    bool hasNumber = false;          // false: the value field held no number
    std::int8_t decimals = 0;        // as the device showed the value
    bool afterInterruption = false;  // the connection was lost before it came
    FixedText<8> unit;               // UTF-8, one character or none
    FixedText<32> telegram;          // the text as received (Latin-1)
};

// The measured values of the telegrams the monitor received, oldest first,
// for the trend window and its export. Collecting starts with the monitor, so
// the window shows the history whenever it is opened. Memory is bounded: at
// the cap the oldest telegram gives way to each new one. The default cap
// holds a day at two telegrams a second with margin, or about 48 minutes of
// a device sending at the full 19200 baud; a sample takes about 72 bytes, so
// the history stays below 15 MB. It grows with the telegrams, so a program
// that receives few takes little memory and starts without filling 15 MB.
class TrendHistory {
  public:
    static constexpr std::size_t kDefaultCapacity = 200'000;

    explicit TrendHistory(std::size_t capacity = kDefaultCapacity);

    // A telegram whose bytes arrived at `at`: the time the caller hands over
    // is kept, the history reads no clock. Times never run backwards in the
    // history: after the PC clock was set back, a telegram keeps the time of
    // the one before until the clock has caught up.
    void Add(Clock::TimePoint at, const ReceivedTelegram& telegram);
    // The connection was lost or the port closed: the next telegram starts a
    // new line in the chart, however soon it comes.
    void MarkInterruption() { interrupted_ = true; }

    std::size_t size() const { return count_; }
    // The cap: how many telegrams are kept at most.
    std::size_t capacity() const { return capacity_; }
    // Samples memory is held for at present.
    std::size_t allocated() const { return samples_.capacity(); }
    // The i-th kept telegram, 0 the oldest.
    const TrendSample& operator[](std::size_t i) const {
        return samples_[(first_ + i) % samples_.size()];
    }
    // Index of the first telegram received at or after `from`.
    std::size_t FirstAtOrAfter(Clock::TimePoint from) const;
    // True once the cap has made the history drop a telegram.
    bool capReached() const { return dropped_ > 0; }
    std::uint64_t dropped() const { return dropped_; }
    // Changes with every telegram added, so a view redraws only when needed.
    std::uint64_t generation() const { return added_; }

  private:
    TrendSample& NextSlot();

    std::size_t capacity_;
    std::vector<TrendSample> samples_;  // a ring once it holds capacity_
    std::size_t first_ = 0;
    std::size_t count_ = 0;
    std::uint64_t added_ = 0;
    std::uint64_t dropped_ = 0;
    bool interrupted_ = false;
};

}  // namespace qvt
