#include "prog/isp_link.h"

namespace qvt {

void IspLink::IspDelay(int n) {
    waitedUnits_ += n;
    cable_.Wait(n);
}

void IspLink::SetLines(std::uint8_t state) {
    lines_ = state;
    cable_.SetLines(state);
}

void IspLink::IspSendByte(std::uint8_t b) {
    for (int bit = 7; bit >= 0; --bit) {
        const auto v = static_cast<std::uint8_t>(((b >> bit) & kIspMosi) | kIspRst);
        SetLines(v);
        IspDelay(sckDelay);
        SetLines(v | kIspSck);
        IspDelay(sckDelay);
        SetLines(v);
    }
}

IspLink::PendingByte IspLink::QueueReadByte() {
    if (flushedSinceQueue_) {
        cable_.ForgetSamples();
        flushedSinceQueue_ = false;
    }
    // RST high and MOSI holding the last bit sent. MISO is sampled while SCK
    // is high; the chip changed it at the falling edge before.
    cable_.BeginByteRead();
    const std::uint8_t s = lines_;
    PendingByte pending;
    for (int i = 0; i < 8; ++i) {
        SetLines(s | kIspSck);
        const MisoSample sample = cable_.SampleMiso();
        if (i == 0)
            pending.firstBit = sample;
        IspDelay(sckDelay);
        SetLines(s & 0xF5);  // SCK low and the fourth line cleared; RST and MOSI kept
        IspDelay(sckDelay + 1);
    }
    return pending;
}

bool IspLink::Flush() {
    flushedSinceQueue_ = true;
    return cable_.Flush();
}

std::uint8_t IspLink::ResultOf(PendingByte pending) const {
    std::uint8_t result = 0;
    for (MisoSample bit = 0; bit < 8; ++bit)
        result = static_cast<std::uint8_t>((result << 1) |
                                           (cable_.MisoLevel(pending.firstBit + bit) ? 1 : 0));
    return result;
}

std::uint8_t IspLink::IspReadByte() {
    const PendingByte pending = QueueReadByte();
    Flush();
    return ResultOf(pending);
}

}  // namespace qvt
