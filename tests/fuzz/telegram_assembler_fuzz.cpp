// The device's telegrams as the monitor assembles them from the serial port,
// the byte stream cut into pieces as the port delivers them. The first byte
// decides where the pieces end.
#include <algorithm>
#include <optional>

#include "fuzz/fuzz_support.h"
#include "link/telegram_assembler.h"

namespace {

using namespace qvt;

// What the monitor shows, logs and prints: never more than the receive buffer
// holds, never a zero byte (the texts end at one).
void CheckHandedOver(const std::optional<ReceivedTelegram>& telegram, std::size_t& count) {
    if (!telegram)
        return;
    ++count;
    FUZZ_CHECK(telegram->text.size() <= TelegramAssembler::kBufferSize);
    FUZZ_CHECK(telegram->value.size() <= telegram->text.size() + 1);
    FUZZ_CHECK(telegram->text.find('\0') == std::string::npos);
    FUZZ_CHECK(telegram->value.find('\0') == std::string::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    qvt::fuzz::Decisions cuts(data[0]);
    const std::uint8_t* stream = data + 1;
    const std::size_t length = size - 1;

    TelegramAssembler assembler;
    std::size_t handedOver = 0;
    std::size_t carriageReturns = 0;
    for (std::size_t at = 0; at < length;) {
        const std::size_t piece = std::min<std::size_t>(1 + cuts.Next(40), length - at);
        for (std::size_t i = at; i < at + piece; ++i) {
            carriageReturns += stream[i] == TelegramAssembler::kCR;
            CheckHandedOver(assembler.Feed(stream[i]), handedOver);
            FUZZ_CHECK(assembler.Position() <= TelegramAssembler::kBufferSize);
        }
        at += piece;
        CheckHandedOver(assembler.NoMoreBytes(), handedOver);
        FUZZ_CHECK(!assembler.AwaitingTrailingByte());
    }
    // Every telegram ends in a CR of its own.
    FUZZ_CHECK(handedOver <= carriageReturns);
    return 0;
}
