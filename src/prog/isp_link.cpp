#include "prog/isp_link.h"

#include <cstdio>

#include "platform/counter.h"
#include "prog/port_io.h"

namespace qvt {

IspLink::IspLink(PortIo& io, Counter& counter, std::uint16_t lptBase)
    : io_(io),
      counter_(counter),
      dataRegister_(lptBase),
      statusRegister_(static_cast<std::uint16_t>(lptBase + 1)) {}

void IspLink::IspDelay(int n) {
    io_.TraceDelay(n);
    const std::int64_t frequency = counter_.Frequency();
    if (frequency <= 0) {
        std::puts("QueryPerformance wird nicht unterstützt");
        return;
    }
    waitedUnits_ += n;
    // The frequency divides: 100,000,000 / f counts per unit, 1 us at 10 MHz.
    const std::int64_t counts = 100'000'000LL * n / frequency;
    const std::int64_t target = counter_.Now() + counts;
    while (counter_.Now() < target) {
    }
}

void IspLink::WriteDataRegister(std::uint8_t value) {
    io_.PortWrite(dataRegister_, value);
}

void IspLink::IspSendByte(std::uint8_t b) {
    for (int bit = 7; bit >= 0; --bit) {
        const auto v = static_cast<std::uint8_t>(((b >> bit) & kIspMosi) | kIspRst);
        WriteDataRegister(v);
        IspDelay(sckDelay);
        WriteDataRegister(v | kIspSck);
        IspDelay(sckDelay);
        WriteDataRegister(v);
    }
}

std::uint8_t IspLink::IspReadByte() {
    // RST high and MOSI holding the last bit sent.
    const std::uint8_t s = io_.PortRead(dataRegister_);
    std::uint8_t result = 0;
    for (int i = 0; i < 8; ++i) {
        WriteDataRegister(s | kIspSck);
        const std::uint8_t status = io_.PortRead(statusRegister_);
        IspDelay(sckDelay);
        result = static_cast<std::uint8_t>((result << 1) | ((status & kIspMisoStatusBit) ? 1 : 0));
        WriteDataRegister(s & 0xF5);  // SCK low and bit 3 cleared; RST and MOSI kept
        IspDelay(sckDelay + 1);
    }
    return result;
}

}  // namespace qvt
