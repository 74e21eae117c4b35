#include "emulation/emulated_ftdi_adapter.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/parallel_port.h"

namespace qvt {
namespace {

// The chip's data register bits and its MISO status bit.
constexpr std::uint8_t kChipMosi = 0x01;
constexpr std::uint8_t kChipSck = 0x02;
constexpr std::uint8_t kChipRst = 0x04;
constexpr std::uint8_t kChipMisoBit = 0x40;

std::uint8_t Bit(const CablePin& pin) {
    return static_cast<std::uint8_t>(1u << pin.number);
}

// The serial number as a file name: anything but letters and digits becomes _.
std::string LockName(const std::string& serial) {
    std::string name = "emulated-ftdi-";
    for (const char c : serial)
        name +=
            (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ? c : '_';
    return name + ".lock";
}

}  // namespace

FtdiModel Ft232rModel() {
    return {"FT232R", 128, 1000, 1000};
}

FtdiModel Ft232hModel() {
    return {"FT232H", 1024, 125, 1000};
}

EmulatedFtdiAdapter::EmulatedFtdiAdapter(FtdiModel model, PinMap pins, ParallelPort& chip,
                                         std::uint16_t chipBase, VirtualClock& clock)
    : model_(std::move(model)),
      pins_(pins),
      chip_(chip),
      base_(chipBase),
      clock_(clock),
      period_(model_.shortestSamplePeriodNanoseconds) {
    Apply(latch_);
}

EmulatedFtdiAdapter::~EmulatedFtdiAdapter() {
    Close();
}

bool EmulatedFtdiAdapter::SetSamplePeriod(std::int64_t nanoseconds) {
    if (pulled_ || closed_)
        return Fail(kFtdiUnpluggedText);
    period_ = std::max(nanoseconds, model_.shortestSamplePeriodNanoseconds);
    return true;
}

bool EmulatedFtdiAdapter::SetOutputPins(std::uint8_t outputs) {
    if (pulled_ || closed_)
        return Fail(kFtdiUnpluggedText);
    outputs_ = outputs;
    Apply(latch_);
    return true;
}

// What the chip sees: a driven pin's level through the cable's inverter, a
// released line the chip's own pull.
void EmulatedFtdiAdapter::Apply(std::uint8_t pins) {
    latch_ = pins;
    std::uint8_t levels = 0;
    std::uint8_t driven = 0;
    const auto line = [&](const CablePin& pin, std::uint8_t chipBit, bool released) {
        if (outputs_ & Bit(pin)) {
            driven |= chipBit;
            if (((pins & Bit(pin)) != 0) != pin.inverted)
                levels |= chipBit;
        } else if (released) {
            levels |= chipBit;
        }
    };
    line(pins_.mosi, kChipMosi, true);
    line(pins_.sck, kChipSck, true);
    line(pins_.rst, kChipRst, false);
    if (history_.empty() || history_.back().levels != levels || history_.back().driven != driven) {
        history_.push_back({clock_.nanoseconds(), levels, driven});
        chip_.Write(base_, levels);
    }
}

std::uint8_t EmulatedFtdiAdapter::Echo() {
    const bool miso = (chip_.Read(static_cast<std::uint16_t>(base_ + 1)) & kChipMisoBit) != 0;
    // Inputs float high but MISO, which the chip drives (through the cable's
    // inverter if it has one); outputs read back their own level.
    auto echo = static_cast<std::uint8_t>((latch_ & outputs_) | ~outputs_);
    if (!(outputs_ & Bit(pins_.miso)) && miso == pins_.miso.inverted)
        echo = static_cast<std::uint8_t>(echo & ~Bit(pins_.miso));
    return echo;
}

bool EmulatedFtdiAdapter::Write(const std::uint8_t* samples, std::size_t count) {
    if (pulled_ || closed_)
        return Fail(kFtdiUnpluggedText);
    if (inFlight_ + count > model_.fifo)
        return Fail("FIFO des FTDI-Adapters übergelaufen");
    if (batchAnswered_) {
        ++roundTrips_;
        batchAnswered_ = false;
        emptyReadsLeft_ = faults_.emptyReadsFirst;
    }
    inFlight_ += count;
    mostInFlight_ = std::max(mostInFlight_, inFlight_);
    const std::size_t lost = std::min(faults_.lostEchoes, count);
    for (std::size_t i = 0; i < count; ++i) {
        if (faults_.pulledAfterBytes >= 0 && samplesWritten_ >= faults_.pulledAfterBytes) {
            pulled_ = true;
            return Fail(kFtdiUnpluggedText);
        }
        // Synchronous bit-bang: the pins are read, then the sample is driven.
        const std::uint8_t echo = Echo();
        Apply(samples[i]);
        clock_.Advance(period_);
        ++samplesWritten_;
        if (count - i <= lost)
            --inFlight_;  // an echo the bus loses: never in the FIFO to read
        else
            echoes_.push_back(echo);
    }
    return true;
}

int EmulatedFtdiAdapter::Read(std::uint8_t* echoes, std::size_t capacity) {
    if (pulled_ || closed_) {
        Fail(kFtdiUnpluggedText);
        return -1;
    }
    if (!batchAnswered_ && !faults_.silent) {
        // The echoes come back one round trip after the batch went out.
        clock_.Advance(static_cast<std::int64_t>(model_.roundTripMicroseconds) * 1000);
        batchAnswered_ = true;
    }
    if (faults_.silent || echoes_.empty())
        return 0;
    if (emptyReadsLeft_ > 0) {
        --emptyReadsLeft_;
        return 0;
    }
    std::size_t count = std::min(capacity, echoes_.size());
    if (faults_.echoesPerRead > 0)
        count = std::min(count, faults_.echoesPerRead);
    for (std::size_t i = 0; i < count; ++i) {
        echoes[i] = echoes_.front();
        echoes_.pop_front();
    }
    inFlight_ -= count;
    return static_cast<int>(count);
}

bool EmulatedFtdiAdapter::Purge() {
    if (pulled_ || closed_)
        return Fail(kFtdiUnpluggedText);
    inFlight_ -= echoes_.size();
    echoes_.clear();
    return true;
}

void EmulatedFtdiAdapter::Close() {
    if (closed_)
        return;
    closed_ = true;
    if (lock_ >= 0) {
        ::close(lock_);
        lock_ = -1;
    }
}

bool EmulatedFtdiAdapter::Fail(const std::string& text) {
    error_ = text;
    return false;
}

EmulatedFtdiOpenResult OpenEmulatedFtdiAdapter(const std::string& serial,
                                               const std::string& lockDirectory, FtdiModel model,
                                               PinMap pins, ParallelPort& chip,
                                               std::uint16_t chipBase, VirtualClock& clock) {
    EmulatedFtdiOpenResult result;
    const std::string path =
        (lockDirectory.empty() ? std::string(".") : lockDirectory) + "/" + LockName(serial);
    const int descriptor = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (descriptor < 0) {
        result.problem = FtdiNotFoundText(serial);
        return result;
    }
    // flock belongs to the open file: a second opening, in this process or
    // another, is refused until the holder closes.
    if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        ::close(descriptor);
        result.problem = FtdiBusyText(serial);
        return result;
    }
    result.adapter =
        std::make_unique<EmulatedFtdiAdapter>(std::move(model), pins, chip, chipBase, clock);
    result.adapter->HoldLock(descriptor);
    return result;
}

}  // namespace qvt
