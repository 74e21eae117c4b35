#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "devsim/sim_options.h"
#include "devsim/telegram_decoder.h"

namespace devsim {

// What the device made of one telegram from the PC.
struct PcFrame {
    enum class Type { kParameters, kTestValue, kUnknown };
    Type type = Type::kUnknown;
    std::vector<std::uint8_t> bytes;
    qvt::TelegramCheck check = qvt::TelegramCheck::kBadStart;
    std::optional<std::uint8_t> reply;  // nothing: the device stays silent
    std::string report;                 // lines to print, decoded parameters included
};

// Collects the bytes the PC sends into telegrams: a telegram ends when its
// length is reached, or when the line has been quiet for a while before that
// (a short or unknown telegram, which is answered with 0x15). An unknown
// telegram also ends at the parameter telegram's length.
class PcFrameReader {
  public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kQuietGap{100};

    explicit PcFrameReader(const Options& options) : options_(options) {}

    // Takes one byte; returns the telegram it completed.
    std::optional<PcFrame> Add(std::uint8_t byte, Clock::time_point now);
    // Ends a telegram left incomplete by a quiet line.
    std::optional<PcFrame> Poll(Clock::time_point now);
    // When Poll should be called next, if a telegram is open.
    std::optional<Clock::time_point> Deadline() const;
    bool Receiving() const { return !bytes_.empty(); }

  private:
    PcFrame Finish();

    const Options& options_;
    std::vector<std::uint8_t> bytes_;
    Clock::time_point last_{};
};

}  // namespace devsim
