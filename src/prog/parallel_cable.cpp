#include "prog/parallel_cable.h"

#include <cstdio>

#include "platform/counter.h"
#include "prog/port_io.h"

namespace qvt {

ParallelCable::ParallelCable(PortIo& io, Counter& counter, std::uint16_t base)
    : io_(io),
      counter_(counter),
      dataRegister_(base),
      statusRegister_(static_cast<std::uint16_t>(base + 1)) {}

void ParallelCable::SetLines(std::uint8_t state) {
    io_.PortWrite(dataRegister_, state);
}

void ParallelCable::BeginByteRead() {
    // The value is not needed (the link keeps the output state); the bus
    // cycle is part of the cable's timing as it has always been.
    io_.PortRead(dataRegister_);
}

MisoSample ParallelCable::SampleMiso() {
    levels_.push_back((io_.PortRead(statusRegister_) & kIspMisoStatusBit) != 0);
    return levels_.size() - 1;
}

bool ParallelCable::MisoLevel(MisoSample sample) const {
    return sample < levels_.size() ? levels_[sample] : true;
}

void ParallelCable::Wait(int units) {
    io_.TraceDelay(units);
    const std::int64_t frequency = counter_.Frequency();
    if (frequency <= 0) {
        std::puts("QueryPerformance wird nicht unterstützt");
        return;
    }
    // The frequency divides: 100,000,000 / f counts per unit, 1 us at 10 MHz.
    const std::int64_t counts = 100'000'000LL * units / frequency;
    const std::int64_t target = counter_.Now() + counts;
    while (counter_.Now() < target) {
    }
}

}  // namespace qvt
