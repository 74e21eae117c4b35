#include "prog/ftdi_cable.h"

#include <algorithm>

#include "platform/counter.h"
#include "platform/ftdi_adapter.h"
#include "prog/port_trace.h"

namespace qvt {
namespace {

// The lines that have a pin; the fourth line of the idle pattern has none.
constexpr std::uint8_t kPinLines = kIspMosi | kIspSck | kIspRst;
constexpr std::uint8_t kMisoTraceBit = 0x40;

std::uint8_t Bit(const CablePin& pin) {
    return static_cast<std::uint8_t>(1u << pin.number);
}

// Two SetLines with no wait between may share one sample when the chip
// cannot tell: no line the first changed changes back (an SCK pulse would be
// lost), and SCK does not rise together with another line (MOSI must be
// settled before the rising edge and held after it). This folds the falling
// SCK edge at the end of a bit into the next bit's MOSI change, which saves
// a sample per bit and is what brings a streamed run close to the
// protocol's own waiting time.
bool MayShareSample(std::uint8_t before, std::uint8_t last, std::uint8_t next) {
    const std::uint8_t changedByLast = (before ^ last) & kPinLines;
    const std::uint8_t changedByNext = (last ^ next) & kPinLines;
    if (changedByLast & changedByNext)
        return false;
    const std::uint8_t changed = changedByLast | changedByNext;
    const bool sckRises = (changed & kIspSck) && (next & kIspSck);
    return !(sckRises && (changed & ~kIspSck));
}

}  // namespace

FtdiCable::FtdiCable(FtdiAdapter& adapter, PinMap pins, Counter& counter, HostSleep sleep,
                     PortTrace* trace, std::uint16_t traceBase)
    : adapter_(adapter),
      pins_(pins),
      counter_(counter),
      sleep_(std::move(sleep)),
      trace_(trace),
      traceBase_(traceBase) {
    outputPins_ = Bit(pins_.mosi) | Bit(pins_.sck) | Bit(pins_.rst);
    if (!adapter_.SetSamplePeriod(kSamplePeriodNanoseconds) || !adapter_.Purge()) {
        Fail(adapter_.lastError());
        return;
    }
    period_ = std::max<std::int64_t>(adapter_.samplePeriodNanoseconds(), 1);
    // Streamed, a wait longer than a FIFO of samples costs more round trips
    // than the one that collecting the echoes before a host sleep costs: on
    // a full-speed chip with its small FIFO that is a wait of 128 us.
    longestStreamedWait_ = std::min<std::int64_t>(
        kLongestStreamedWaitNanoseconds, static_cast<std::int64_t>(adapter_.fifoSize()) * period_);
    // The idle levels go into the output latch while every pin is still an
    // input; only then do the pins drive, so RST shows no level but low.
    state_ = kIspIdlePattern;
    Queue(PinsOf(state_));
    if (!Flush())
        return;
    if (!adapter_.SetOutputPins(outputPins_))
        Fail(adapter_.lastError());
    lastMayShare_ = false;
    heldCredit_ = 0;
}

FtdiCable::~FtdiCable() {
    Release();
}

int FtdiCable::roundTripMicroseconds() const {
    return adapter_.roundTripMicroseconds();
}

std::uint8_t FtdiCable::PinsOf(std::uint8_t state) const {
    std::uint8_t pins = 0;
    const auto put = [&](const CablePin& pin, std::uint8_t line) {
        if (((state & line) != 0) != pin.inverted)
            pins |= Bit(pin);
    };
    put(pins_.mosi, kIspMosi);
    put(pins_.sck, kIspSck);
    put(pins_.rst, kIspRst);
    return pins;
}

std::uint8_t FtdiCable::StateOf(std::uint8_t pins) const {
    std::uint8_t state = 0;
    const auto get = [&](const CablePin& pin, std::uint8_t line) {
        if (((pins & Bit(pin)) != 0) != pin.inverted)
            state |= line;
    };
    get(pins_.mosi, kIspMosi);
    get(pins_.sck, kIspSck);
    get(pins_.rst, kIspRst);
    return state;
}

void FtdiCable::Queue(std::uint8_t pins) {
    queue_.push_back(pins);
    heldCredit_ += period_;
}

void FtdiCable::SetLines(std::uint8_t state) {
    if (!fault_.empty())
        return;
    state &= kIspOutputLines;
    if (lastMayShare_ && !queue_.empty() && MayShareSample(stateBeforeLast_, state_, state)) {
        queue_.back() = PinsOf(state);
        state_ = state;
        heldCredit_ = period_;
        return;
    }
    if ((state ^ state_) & kPinLines)
        heldCredit_ = 0;
    stateBeforeLast_ = state_;
    state_ = state;
    Queue(PinsOf(state));
    lastMayShare_ = true;
}

MisoSample FtdiCable::SampleMiso() {
    lastMayShare_ = false;
    const std::size_t lastSample = sentSamples_ + queue_.size();
    requests_.push_back({lastSample == 0 ? 0 : lastSample - 1 + kMisoEchoOffset, true, false});
    return requests_.size() - 1;
}

void FtdiCable::Wait(int units) {
    lastMayShare_ = false;
    if (!fault_.empty() || units <= 0)
        return;
    const std::int64_t wanted = static_cast<std::int64_t>(units) * 1000;
    if (wanted <= heldCredit_) {
        heldCredit_ -= wanted;
        return;
    }
    const std::int64_t missing = wanted - heldCredit_;
    if (missing <= longestStreamedWait_) {
        const std::int64_t samples = (missing + period_ - 1) / period_;
        for (std::int64_t i = 0; i < samples; ++i) Queue(PinsOf(state_));
        heldCredit_ -= wanted;
        return;
    }
    // The wait starts only once every sample before it has left the adapter.
    if (!Flush())
        return;
    Sleep(missing);
    heldCredit_ = 0;
}

bool FtdiCable::Flush() {
    if (!fault_.empty())
        return false;
    // A MISO sample needs the echo after its own sample: hold the state one
    // more sample where nothing follows yet.
    if (firstUncollected_ < requests_.size()) {
        while (requests_.back().echo >= sentSamples_ + queue_.size()) Queue(PinsOf(state_));
    }
    lastMayShare_ = false;
    const std::size_t fifo = std::max<std::size_t>(adapter_.fifoSize(), 1);
    for (std::size_t first = 0; first < queue_.size(); first += fifo) {
        if (!SendChunk(first, std::min(fifo, queue_.size() - first)))
            return false;
    }
    queue_.clear();
    return true;
}

// One FIFO out and every one of its echoes back before anything else goes.
bool FtdiCable::SendChunk(std::size_t first, std::size_t count) {
    const std::uint8_t* samples = queue_.data() + first;
    const std::size_t firstIndex = sentSamples_;
    if (!adapter_.Write(samples, count)) {
        Fail(adapter_.lastError());
        return false;
    }
    sentSamples_ += count;
    std::vector<std::uint8_t> echoes(count);
    const bool complete = CollectEchoes(echoes);
    if (complete) {
        for (; firstUncollected_ < requests_.size(); ++firstUncollected_) {
            Request& request = requests_[firstUncollected_];
            if (request.echo >= firstIndex + count)
                break;
            if (request.echo >= firstIndex) {
                const bool pin = (echoes[request.echo - firstIndex] & Bit(pins_.miso)) != 0;
                request.level = pin != pins_.miso.inverted;
            }
            request.collected = true;
        }
    }
    TraceChunk(samples, count, firstIndex);
    return complete;
}

bool FtdiCable::CollectEchoes(std::vector<std::uint8_t>& echoes) {
    const std::int64_t deadline = NowNanoseconds() + kEchoDeadlineNanoseconds +
                                  static_cast<std::int64_t>(echoes.size()) * period_;
    std::size_t got = 0;
    while (got < echoes.size()) {
        const int read = adapter_.Read(echoes.data() + got, echoes.size() - got);
        if (read < 0) {
            Fail(adapter_.lastError());
            return false;
        }
        if (read > 0) {
            got += static_cast<std::size_t>(read);
            continue;
        }
        // Nothing yet: a short read that stays short is an adapter gone.
        if (NowNanoseconds() >= deadline) {
            Fail(std::string(kFtdiUnpluggedText) + " (keine Antwort)");
            return false;
        }
        sleep_(kEmptyReadPauseNanoseconds);
    }
    return true;
}

// The trace shows what the adapter was handed, decoded back through the pin
// map; a state's time is counted in whole samples, rounded down.
void FtdiCable::TraceChunk(const std::uint8_t* samples, std::size_t count, std::size_t firstIndex) {
    if (!trace_)
        return;
    std::size_t request = 0;
    while (request < requests_.size() && requests_[request].echo < firstIndex) ++request;
    for (std::size_t i = 0; i < count; ++i) {
        for (; request < requests_.size() && requests_[request].echo == firstIndex + i; ++request) {
            if (requests_[request].collected)
                trace_->Read(static_cast<std::uint16_t>(traceBase_ + 1),
                             requests_[request].level ? kMisoTraceBit : 0);
        }
        const std::uint8_t state = StateOf(samples[i]);
        if (!traced_ || state != tracedState_) {
            TraceHeld();
            trace_->Written(traceBase_, state);
            traced_ = true;
            tracedState_ = state;
        }
        tracedHeld_ += period_;
    }
}

void FtdiCable::TraceHeld() {
    if (trace_ && tracedHeld_ >= 1000)
        trace_->Waited(tracedHeld_ / 1000);
    tracedHeld_ = 0;
}

void FtdiCable::Sleep(std::int64_t nanoseconds) {
    sleep_(nanoseconds);
    tracedHeld_ += nanoseconds;
}

bool FtdiCable::MisoLevel(MisoSample sample) const {
    if (!fault_.empty() || sample >= requests_.size())
        return true;
    return requests_[sample].level;
}

void FtdiCable::ForgetSamples() {
    requests_.clear();
    firstUncollected_ = 0;
}

void FtdiCable::Release() {
    if (released_)
        return;
    released_ = true;
    if (fault_.empty())
        Flush();
    TraceHeld();
    // MOSI and SCK first, RST last: the chip sees its reset line let go
    // only when nothing else can move any more.
    adapter_.SetOutputPins(Bit(pins_.rst));
    adapter_.SetOutputPins(0);
    adapter_.Close();
    if (trace_)
        trace_->Flush();
}

void FtdiCable::Fail(const std::string& text) {
    if (fault_.empty())
        fault_ = text.empty() ? std::string(kFtdiUnpluggedText) : text;
    queue_.clear();
}

std::int64_t FtdiCable::NowNanoseconds() {
    const std::int64_t frequency = counter_.Frequency();
    if (frequency <= 0)
        return 0;
    const std::int64_t now = counter_.Now();
    return static_cast<std::int64_t>(static_cast<__int128>(now) * 1'000'000'000 / frequency);
}

}  // namespace qvt
