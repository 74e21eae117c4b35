// The device simulator's side of the link: the bytes the PC sends, with quiet
// gaps of varying length between them, collected into telegrams and judged.
// The first byte chooses the simulator's answer mode and device type and
// where the line goes quiet.
#include <chrono>
#include <optional>

#include "devsim/pc_frame_reader.h"
#include "fuzz/fuzz_support.h"
#include "link/telegrams.h"

namespace {

using namespace devsim;
using Clock = PcFrameReader::Clock;

void CheckFrame(const std::optional<PcFrame>& frame, const Options& options, std::size_t& bytes) {
    if (!frame)
        return;
    // No telegram is longer than the parameter telegram, whatever arrives.
    FUZZ_CHECK(!frame->bytes.empty() && frame->bytes.size() <= qvt::kParameterTelegramSize);
    bytes += frame->bytes.size();
    const bool ok = frame->check == qvt::TelegramCheck::kOk;
    if (ok) {
        unsigned sum = 0;
        for (std::size_t i = 0; i + 1 < frame->bytes.size(); ++i) sum += frame->bytes[i];
        FUZZ_CHECK(frame->bytes.back() == (sum & 0xFF));
        FUZZ_CHECK(frame->type != PcFrame::Type::kUnknown);
    }
    if (options.reply == ReplyMode::kJudge)
        FUZZ_CHECK(frame->reply == (ok ? qvt::kAcknowledge : qvt::kNegativeAcknowledge));
    FUZZ_CHECK(!frame->report.empty() && frame->report.back() == '\n');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    Options options;
    options.reply = static_cast<ReplyMode>(data[0] % 3);
    options.deviceType = static_cast<std::uint8_t>(data[0] / 3 % 3);
    qvt::fuzz::Decisions gaps(data[0]);

    PcFrameReader reader(options);
    Clock::time_point now{};
    std::size_t framed = 0;
    for (std::size_t i = 1; i < size; ++i) {
        // Mostly back to back at 19200 baud, now and then a pause.
        now += gaps.Next(8) == 0 ? std::chrono::milliseconds(gaps.Next(250))
                                 : std::chrono::microseconds(521);
        CheckFrame(reader.Poll(now), options, framed);
        CheckFrame(reader.Add(data[i], now), options, framed);
        FUZZ_CHECK(reader.Receiving() == reader.Deadline().has_value());
    }
    CheckFrame(reader.Poll(now + PcFrameReader::kQuietGap), options, framed);
    // Every byte ends in exactly one telegram.
    FUZZ_CHECK(!reader.Receiving());
    FUZZ_CHECK(framed == size - 1);
    return 0;
}
