#include "prog/gpio_cable.h"

#include <chrono>
#include <thread>

#include "platform/counter.h"
#include "platform/gpio_lines.h"
#include "prog/port_trace.h"

namespace qvt {
namespace {

// The outputs in the order they are claimed: bit i of the levels is output i.
constexpr std::uint8_t kOutputOrder[] = {kIspMosi, kIspSck, kIspRst};
constexpr std::uint8_t kDrivenLines = kIspMosi | kIspSck | kIspRst;
// The status register's bit that shows MISO in the trace.
constexpr std::uint8_t kMisoStatusBit = 0x40;

const CablePin& PinOf(const PinMap& pins, std::uint8_t line) {
    return line == kIspMosi ? pins.mosi : line == kIspSck ? pins.sck : pins.rst;
}

}  // namespace

GpioCable::GpioCable(GpioLines& lines, const PinMap& pins, Counter& clock, HostSleep sleep,
                     PortTrace* trace, std::uint16_t traceBase)
    : lines_(lines),
      pins_(pins),
      clock_(clock),
      sleep_(std::move(sleep)),
      trace_(trace),
      traceBase_(traceBase) {
    std::vector<int> outputs;
    for (std::uint8_t line : kOutputOrder) outputs.push_back(PinOf(pins_, line).number);
    // Claimed at the levels of "all low at the chip": RST is never high for a
    // moment before the protocol raises it.
    const std::uint32_t levels = LevelsFor(0);
    if (!lines_.Request(outputs, levels, pins_.miso.number, "qvt410")) {
        Failed(lines_.lastError());
        return;
    }
    claimed_ = true;
    lineState_ = 0;
    if (trace_)
        trace_->Written(traceBase_, StateOf(levels));
}

GpioCable::~GpioCable() {
    if (!claimed_)
        return;
    // The chip leaves programming only once its data lines rest.
    if (fault_.empty() && (lineState_ & (kIspMosi | kIspSck)))
        Drive(lineState_ & kIspRst);
    if (fault_.empty() && lineState_ != 0)
        Drive(0);
    lines_.Release();
}

std::uint32_t GpioCable::LevelsFor(std::uint8_t state) const {
    std::uint32_t levels = 0;
    for (std::size_t i = 0; i < std::size(kOutputOrder); ++i) {
        const bool high = (state & kOutputOrder[i]) != 0;
        if (high != PinOf(pins_, kOutputOrder[i]).inverted)
            levels |= 1u << i;
    }
    return levels;
}

std::uint8_t GpioCable::StateOf(std::uint32_t levels) const {
    std::uint8_t state = 0;
    for (std::size_t i = 0; i < std::size(kOutputOrder); ++i) {
        const bool high = ((levels >> i) & 1) != 0;
        if (high != PinOf(pins_, kOutputOrder[i]).inverted)
            state |= kOutputOrder[i];
    }
    return state;
}

void GpioCable::SetLines(std::uint8_t state) {
    // The fourth line of the parallel cable has no pin here.
    state &= kDrivenLines;
    if (!fault_.empty() || state == lineState_)
        return;
    Drive(state);
}

void GpioCable::Drive(std::uint8_t state) {
    const std::uint32_t levels = LevelsFor(state);
    if (!lines_.SetOutputs(levels)) {
        Failed(lines_.lastError());
        return;
    }
    lineState_ = state;
    if (trace_)
        trace_->Written(traceBase_, StateOf(levels));
}

MisoSample GpioCable::SampleMiso() {
    bool level = true;
    if (fault_.empty()) {
        const std::optional<bool> pin = lines_.ReadInput();
        if (pin) {
            level = *pin != pins_.miso.inverted;
            if (trace_)
                trace_->Read(static_cast<std::uint16_t>(traceBase_ + 1),
                             level ? kMisoStatusBit : 0);
        } else {
            Failed(lines_.lastError());
        }
    }
    samples_.push_back(level);
    return samples_.size() - 1;
}

bool GpioCable::MisoLevel(MisoSample sample) const {
    return sample >= samples_.size() || samples_[sample];
}

void GpioCable::Wait(int units) {
    if (!fault_.empty() || units <= 0)
        return;
    const std::int64_t frequency = clock_.Frequency();
    if (frequency <= 0) {  // no counter: only the sleep can be trusted
        sleep_(std::int64_t{units} * 1000);
        if (trace_)
            trace_->Waited(units);
        return;
    }
    const std::int64_t start = clock_.Now();
    // The first count may tick right after the start was read, so one more
    // than the wait's counts (rounded up) passes before it surely is over.
    const std::int64_t counts = (units * frequency + 999'999) / 1'000'000 + 1;
    if (units >= kSleepFromMicroseconds)
        sleep_(std::int64_t{units} * 1000);
    std::int64_t now = clock_.Now();
    while (now - start < counts) now = clock_.Now();
    // For the same reason only the counts less one surely passed; rounded
    // down, the trace never claims more wait than there was.
    if (trace_)
        trace_->Waited((now - start - 1) * 1'000'000 / frequency);
}

void GpioCable::Failed(const std::string& reason) {
    if (fault_.empty())
        fault_ = reason.empty() ? "GPIO-Leitungen ausgefallen" : reason;
    samples_.clear();
}

}  // namespace qvt
