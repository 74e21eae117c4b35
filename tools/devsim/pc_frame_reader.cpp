#include "devsim/pc_frame_reader.h"

#include <cstdio>

#include "link/telegrams.h"

namespace devsim {
namespace {

std::size_t ExpectedLength(std::uint8_t first) {
    if (first == qvt::kParameterTelegramStart)
        return qvt::kParameterTelegramSize;
    if (first == qvt::kTestValueTelegramStart)
        return qvt::kTestValueTelegramSize;
    return 0;
}

std::string Hex(std::uint8_t byte) {
    char text[8];
    std::snprintf(text, sizeof text, "%02X", byte);
    return text;
}

}  // namespace

std::optional<PcFrame> PcFrameReader::Add(std::uint8_t byte, Clock::time_point now) {
    bytes_.push_back(byte);
    last_ = now;
    // A PC that never pauses must not grow the buffer: no telegram is longer
    // than the parameter telegram, so an unknown one ends there too.
    if (bytes_.size() == ExpectedLength(bytes_.front()) ||
        bytes_.size() == qvt::kParameterTelegramSize)
        return Finish();
    return std::nullopt;
}

std::optional<PcFrame> PcFrameReader::Poll(Clock::time_point now) {
    if (!bytes_.empty() && now - last_ >= kQuietGap)
        return Finish();
    return std::nullopt;
}

std::optional<PcFrameReader::Clock::time_point> PcFrameReader::Deadline() const {
    if (bytes_.empty())
        return std::nullopt;
    return last_ + kQuietGap;
}

PcFrame PcFrameReader::Finish() {
    PcFrame frame;
    frame.bytes.swap(bytes_);
    const std::uint8_t first = frame.bytes.front();
    std::string name = "unknown telegram";
    if (first == qvt::kParameterTelegramStart) {
        frame.type = PcFrame::Type::kParameters;
        frame.check = qvt::CheckParameterTelegram(frame.bytes);
        name = "parameter telegram";
    } else if (first == qvt::kTestValueTelegramStart) {
        frame.type = PcFrame::Type::kTestValue;
        frame.check = qvt::CheckTestValueTelegram(frame.bytes);
        name = "test value telegram";
    }
    const bool ok = frame.check == qvt::TelegramCheck::kOk;
    switch (options_.reply) {
        case ReplyMode::kJudge:
            frame.reply = ok ? qvt::kAcknowledge : qvt::kNegativeAcknowledge;
            break;
        case ReplyMode::kAlwaysNak:
            frame.reply = qvt::kNegativeAcknowledge;
            break;
        case ReplyMode::kSilent:
            break;
    }

    std::string& r = frame.report;
    r = name + " (" + std::to_string(frame.bytes.size()) +
        " bytes): " + qvt::TelegramCheckText(frame.check) + ", reply " +
        (frame.reply ? Hex(*frame.reply) : std::string("none")) + "\n";
    if (ok && frame.type == PcFrame::Type::kParameters) {
        for (const qvt::DecodedField& f :
             qvt::DecodeParameterTelegram(frame.bytes, options_.deviceType)) {
            r.append("  ").append(f.name).append(" = ").append(f.value).append("\n");
        }
    } else if (ok && frame.type == PcFrame::Type::kTestValue) {
        r.append("  value = ").append(qvt::DecodeTestValue(frame.bytes)).append("\n");
    }
    r += "  bytes =";
    // Appended piece by piece: a C string in front of a temporary string
    // makes GCC 12 at -O3 warn about an overlapping copy it cannot rule out.
    for (std::uint8_t b : frame.bytes) r.append(" ").append(Hex(b));
    r += "\n";
    return frame;
}

}  // namespace devsim
