#include "emulation/emulated_gpio_lines.h"

#include <algorithm>
#include <utility>

#include "emulation/emulated_isp_chip.h"

namespace qvt {
namespace {

// The chip's data register bits, as the emulated chip decodes them.
constexpr std::uint8_t kChipMosi = 0x01;
constexpr std::uint8_t kChipSck = 0x02;
constexpr std::uint8_t kChipRst = 0x04;
constexpr std::uint8_t kChipMisoStatusBit = 0x40;

}  // namespace

std::int64_t EmulatedGpioLines::HostClock::Now() {
    ++reads;
    clock_.Advance(timing_.clockReadNanoseconds);
    const std::int64_t ns = clock_.nanoseconds();
    const std::int64_t f = timing_.counterFrequency;
    constexpr std::int64_t kBillion = 1'000'000'000;
    return ns / kBillion * f + ns % kBillion * f / kBillion;
}

EmulatedGpioLines::EmulatedGpioLines(EmulatedIspChip& chip, std::uint16_t chipBase,
                                     const PinMap& wiring, VirtualClock& clock,
                                     EmulatedGpioTiming timing)
    : chip_(chip),
      chipBase_(chipBase),
      wiring_(wiring),
      clock_(clock),
      timing_(timing),
      hostClock_(clock_, timing_) {}

void EmulatedGpioLines::Sleep(std::int64_t nanoseconds) {
    clock_.Advance(nanoseconds + std::int64_t{timing_.oversleepMicroseconds} * 1000);
}

void EmulatedGpioLines::HoldLine(int offset, std::string consumer) {
    heldByOthers_.emplace_back(offset, std::move(consumer));
}

bool EmulatedGpioLines::Request(const std::vector<int>& outputs, std::uint32_t initialLevels,
                                int input, const std::string& consumer) {
    (void)consumer;
    if (Lost())
        return false;
    if (requested_) {
        error_ = "GPIO-Leitungen schon angefordert";
        return false;
    }
    std::vector<int> all = outputs;
    all.push_back(input);
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i] < 0 || all[i] >= kLineCount) {
            error_ = "Der GPIO-Baustein hat keine Leitung " + std::to_string(all[i]) + " (nur " +
                     std::to_string(kLineCount) + " Leitungen)";
            return false;
        }
        for (const auto& [offset, user] : heldByOthers_) {
            if (offset == all[i]) {
                error_ =
                    "GPIO-Leitung " + std::to_string(offset) + " ist belegt (von „" + user + "“)";
                return false;
            }
        }
        // The kernel refuses a line twice in one request as in use.
        if (std::find(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(i), all[i]) !=
            all.begin() + static_cast<std::ptrdiff_t>(i)) {
            error_ = "GPIO-Leitung " + std::to_string(all[i]) + " ist belegt";
            return false;
        }
    }
    requested_ = true;
    outputs_ = outputs;
    input_ = input;
    clock_.Advance(timing_.setNanoseconds);
    Drive(ChipStateFor(initialLevels));
    return true;
}

bool EmulatedGpioLines::SetOutputs(std::uint32_t levels) {
    if (!requested_ || Lost())
        return false;
    ++setCalls_;
    clock_.Advance(timing_.setNanoseconds);
    Drive(ChipStateFor(levels));
    return true;
}

std::optional<bool> EmulatedGpioLines::ReadInput() {
    if (!requested_ || Lost())
        return std::nullopt;
    ++readCalls_;
    clock_.Advance(timing_.readNanoseconds);
    const bool chipLevel =
        (chip_.Read(static_cast<std::uint16_t>(chipBase_ + 1)) & kChipMisoStatusBit) != 0;
    if (input_ != wiring_.miso.number)
        return false;  // a line with nothing on it
    return chipLevel != wiring_.miso.inverted;
}

void EmulatedGpioLines::Release() {
    if (!requested_)
        return;
    requested_ = false;
    // The outputs float; the chip's own pull-down takes RST low.
    Drive(static_cast<std::uint8_t>(chipState_ & ~kChipRst));
}

bool EmulatedGpioLines::Lost() {
    if (!lost_ && callsLeft_ >= 0 && callsLeft_-- == 0) {
        lost_ = true;
        if (requested_) {
            requested_ = false;
            Drive(static_cast<std::uint8_t>(chipState_ & ~kChipRst));
        }
    }
    if (lost_)
        error_ = "GPIO-Leitungen nicht mehr erreichbar: kein Gerät angeschlossen";
    return lost_;
}

std::uint8_t EmulatedGpioLines::ChipStateFor(std::uint32_t levels) const {
    std::uint8_t state = 0;
    const std::pair<const CablePin*, std::uint8_t> wires[] = {
        {&wiring_.mosi, kChipMosi}, {&wiring_.sck, kChipSck}, {&wiring_.rst, kChipRst}};
    for (std::size_t i = 0; i < outputs_.size() && i < 32; ++i) {
        const bool pinHigh = ((levels >> i) & 1) != 0;
        for (const auto& [pin, bit] : wires)
            if (pin->number == outputs_[i] && pinHigh != pin->inverted)
                state |= bit;
    }
    return state;
}

void EmulatedGpioLines::Drive(std::uint8_t chipState) {
    if (!changes_.empty() && chipState == chipState_)
        return;
    chipState_ = chipState;
    changes_.push_back({clock_.nanoseconds(), chipState});
    chip_.Write(chipBase_, chipState);
}

}  // namespace qvt
