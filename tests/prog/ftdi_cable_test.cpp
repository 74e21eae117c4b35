#include "prog/ftdi_cable.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "emulation/emulated_ftdi_adapter.h"
#include "emulation/emulated_isp_chip.h"
#include "emulation/virtual_clock.h"
#include "prog/port_trace.h"
#include "support/files.h"

namespace qvt {
namespace {

constexpr std::uint8_t kPinLines = kIspMosi | kIspSck | kIspRst;

// The breakouts' wirings, and one with inverters on RST and SCK.
const PinMap kFt232r{{2, false}, {0, false}, {4, false}, {1, false}};
const PinMap kFt232h{{1, false}, {0, false}, {3, false}, {2, false}};
const PinMap kInverted{{1, false}, {0, true}, {3, true}, {2, true}};
// An adapter that answers at once: no round trip pads a wait.
const FtdiModel kQuick{"quick", 128, 0, 1000};

// The protocol's side, driving the cable as the ISP link does, and writing
// down what it asked: the states and the waits.
class Protocol {
  public:
    explicit Protocol(Cable& cable) : cable_(cable) {}

    void Set(std::uint8_t state) {
        cable_.SetLines(state);
        state_ = state;
        Segment(state);
    }
    void Wait(int units) {
        cable_.Wait(units);
        asked_.back().second += units;
    }
    void SendByte(std::uint8_t byte, int sck) {
        for (int bit = 7; bit >= 0; --bit) {
            const auto v = static_cast<std::uint8_t>(((byte >> bit) & kIspMosi) | kIspRst);
            Set(v);
            Wait(sck);
            Set(v | kIspSck);
            Wait(sck);
            Set(v);
        }
    }
    std::uint8_t ReadByte(int sck) {
        const std::uint8_t s = state_;
        std::vector<MisoSample> samples;
        for (int i = 0; i < 8; ++i) {
            Set(s | kIspSck);
            samples.push_back(cable_.SampleMiso());
            ++sampled_;
            Wait(sck);
            Set(s & 0xF5);
            Wait(sck + 1);
        }
        cable_.Flush();
        std::uint8_t byte = 0;
        for (const MisoSample sample : samples)
            byte = static_cast<std::uint8_t>((byte << 1) | (cable_.MisoLevel(sample) ? 1 : 0));
        cable_.ForgetSamples();
        return byte;
    }

    // (state of the pin lines, delay units asked for while it stands)
    const std::vector<std::pair<std::uint8_t, long long>>& asked() const { return asked_; }
    int sampled() const { return sampled_; }

  private:
    void Segment(std::uint8_t state) {
        state &= kPinLines;
        if (asked_.empty() || asked_.back().first != state)
            asked_.push_back({state, 0});
    }

    Cable& cable_;
    std::uint8_t state_ = kIspIdlePattern;
    std::vector<std::pair<std::uint8_t, long long>> asked_{{0, 0}};
    int sampled_ = 0;
};

struct Bench {
    Bench(Chip chip, FtdiModel model, const PinMap& pins, const std::string& tracePath = {})
        : chip(chip, 0x378, {}, &clock), adapter(model, pins, this->chip, 0x378, clock) {
        if (!tracePath.empty())
            trace.Open(tracePath);
        cable = std::make_unique<FtdiCable>(
            adapter, pins, clock, [this](std::int64_t ns) { adapter.SleepHost(ns); },
            trace.isOpen() ? &trace : nullptr);
    }
    VirtualClock clock;
    EmulatedIspChip chip;
    EmulatedFtdiAdapter adapter;
    PortTrace trace;
    std::unique_ptr<FtdiCable> cable;
};

// A session as the enable procedure and a byte read make it: RST up, waits
// short and long, the enable instruction at two clock rates with its answer,
// and a burst of SCK pulses with no wait at all.
std::uint8_t Session(Protocol& protocol, Chip chip) {
    protocol.Set(kIspRst);
    protocol.Wait(2000);
    // Waits that follow each other add up.
    protocol.Set(kIspRst | kIspMosi);
    protocol.Wait(1);
    protocol.Wait(1);
    protocol.Wait(2);
    protocol.Wait(2);
    protocol.Set(kIspRst);
    protocol.Wait(5000);  // long enough to be slept on the host
    protocol.SendByte(0xAC, 3);
    protocol.SendByte(0x53, 1);
    if (chip == Chip::k8253)
        protocol.SendByte(0x00, 1);
    const std::uint8_t answer = protocol.ReadByte(2);
    // Data, then the clock, with no wait between: the data must still lead.
    protocol.Set(kIspRst | kIspMosi);
    protocol.Wait(1);
    protocol.Set(kIspRst);
    protocol.Set(kIspRst | kIspSck);
    protocol.Set(kIspRst);
    for (int i = 0; i < 8; ++i) {
        protocol.Set(kIspRst | kIspSck);
        protocol.Set(kIspRst);
    }
    protocol.Set(kIspIdlePattern);
    protocol.Wait(10);
    return answer;
}

struct Case {
    const char* name;
    Chip chip;
    FtdiModel model;
    PinMap pins;
};

class FtdiSession : public ::testing::TestWithParam<Case> {};

TEST_P(FtdiSession, HoldsEveryStateAsLongAsAskedAndKeepsRstUpThroughout) {
    ScopedWorkingDir dir;
    const Case& c = GetParam();
    Bench bench(c.chip, c.model, c.pins, "trace.txt");
    Protocol protocol(*bench.cable);
    // The chip answers its enable instruction with 0x53: MISO was read where
    // the chip drove it.
    EXPECT_EQ(Session(protocol, c.chip), 0x53);
    EXPECT_TRUE(bench.cable->Flush());
    EXPECT_EQ(bench.cable->fault(), "");
    bench.cable->Release();
    const auto end = bench.clock.nanoseconds();

    // The lines as the chip saw them while the cable drove all three.
    std::vector<std::pair<std::uint8_t, std::int64_t>> seen;
    const auto& history = bench.adapter.lineHistory();
    for (std::size_t i = 0; i < history.size(); ++i) {
        if (history[i].driven != kPinLines)
            continue;
        const std::int64_t until = i + 1 < history.size() ? history[i + 1].nanoseconds : end;
        seen.push_back({history[i].levels, until - history[i].nanoseconds});
    }
    // Every state asked for with a wait is on the lines, in order, for at
    // least the wait; a state asked for without one may share its sample.
    std::size_t j = 0;
    for (const auto& [state, units] : protocol.asked()) {
        if (j < seen.size() && seen[j].first == state) {
            EXPECT_GE(seen[j].second, units * 1000) << "state " << int(state) << " at " << j;
            ++j;
        } else {
            EXPECT_EQ(units, 0) << "state " << int(state) << " never reached the lines";
        }
    }
    EXPECT_EQ(j, seen.size());
    // No SCK edge lost, and RST rises once and stays up to the end.
    const auto rises = [](const auto& states, std::uint8_t line) {
        int count = 0;
        for (std::size_t i = 1; i < states.size(); ++i)
            count += (states[i].first & line) && !(states[i - 1].first & line);
        return count;
    };
    EXPECT_EQ(rises(seen, kIspSck), rises(protocol.asked(), kIspSck));
    // MOSI settles before SCK rises (the chip takes it at the edge) unless
    // the protocol itself moved both at once.
    const auto racing = [](const auto& states) {
        int count = 0;
        for (std::size_t i = 1; i < states.size(); ++i) {
            const int changed = states[i].first ^ states[i - 1].first;
            count += (changed & kIspSck) && (states[i].first & kIspSck) && (changed & kIspMosi);
        }
        return count;
    };
    EXPECT_EQ(racing(seen), racing(protocol.asked()));
    EXPECT_EQ(rises(seen, kIspRst), 1);
    EXPECT_LE(bench.adapter.mostInFlight(), c.model.fifo);

    // The trace shows each MISO sample and no more wait than there was.
    bench.trace.Flush();
    std::ifstream in("trace.txt");
    std::string kind;
    std::string rest;
    long long traced = 0;
    int reads = 0;
    while (in >> kind) {
        std::getline(in, rest);
        if (kind == "D")
            traced += std::stoll(rest);
        reads += kind == "R" && rest == " 0379 40" ? 1 : 0;
        reads += kind == "R" && rest == " 0379 00" ? 1 : 0;
    }
    EXPECT_EQ(reads, protocol.sampled());
    EXPECT_LE(traced * 1000, end);
}

INSTANTIATE_TEST_SUITE_P(Wirings, FtdiSession,
                         ::testing::Values(Case{"ft232r_8252", Chip::k8252, Ft232rModel(), kFt232r},
                                           Case{"ft232h_8253", Chip::k8253, Ft232hModel(), kFt232h},
                                           Case{"inverted_8253", Chip::k8253, kQuick, kInverted}),
                         [](const auto& info) { return std::string(info.param.name); });

// Opened, the lines go from released straight to the idle levels, RST low
// even where an inverter sits in it; released, MOSI and SCK go first and
// RST last.
TEST(FtdiCable, OpensAndReleasesWithoutMovingRst) {
    for (const PinMap& pins : {kFt232h, kInverted}) {
        ScopedWorkingDir dir;
        Bench bench(Chip::k8253, Ft232hModel(), pins);
        Protocol protocol(*bench.cable);
        protocol.Set(kIspRst);
        protocol.Wait(100);
        protocol.Set(kIspIdlePattern);
        bench.cable->Release();
        std::vector<std::pair<std::uint8_t, std::uint8_t>> steps;  // driven, levels & driven
        for (const auto& state : bench.adapter.lineHistory())
            steps.push_back({state.driven, state.levels & state.driven});
        const std::vector<std::pair<std::uint8_t, std::uint8_t>> expected{
            {0, 0}, {kPinLines, 0}, {kPinLines, kIspRst}, {kPinLines, 0}, {kIspRst, 0}, {0, 0}};
        EXPECT_EQ(steps, expected) << "inverted: " << pins.rst.inverted;
        EXPECT_TRUE(bench.adapter.closed());
    }
}

// A cable on a failing adapter reports it, reads MISO high, never hangs and
// never claims success; one that is only slow to answer works.
TEST(FtdiCable, AFailingAdapterIsAFaultNeverAHang) {
    struct FaultCase {
        const char* name;
        EmulatedFtdiFaults faults;
        bool fails;
    };
    EmulatedFtdiFaults silent;
    silent.silent = true;
    EmulatedFtdiFaults lost;
    lost.lostEchoes = 1;
    EmulatedFtdiFaults pulled;
    pulled.pulledAfterBytes = 40;  // inside the enable instruction
    EmulatedFtdiFaults late;
    late.emptyReadsFirst = 5;
    late.echoesPerRead = 7;
    for (const FaultCase& c : {FaultCase{"silent", silent, true}, FaultCase{"lost", lost, true},
                               FaultCase{"pulled", pulled, true}, FaultCase{"late", late, false}}) {
        ScopedWorkingDir dir;
        Bench bench(Chip::k8253, Ft232rModel(), kFt232r);
        bench.adapter.faults() = c.faults;
        Protocol protocol(*bench.cable);
        const std::uint8_t answer = Session(protocol, Chip::k8253);
        const bool flushed = bench.cable->Flush();
        EXPECT_EQ(flushed, !c.fails) << c.name;
        EXPECT_EQ(bench.cable->fault().empty(), !c.fails) << c.name;
        EXPECT_EQ(answer, c.fails ? 0xFF : 0x53) << c.name;
        if (c.fails) {
            EXPECT_NE(bench.cable->fault().find("USB-Adapter getrennt"), std::string::npos)
                << c.name;
        }
        // Given up within the deadline of one FIFO, not after minutes.
        EXPECT_LT(bench.clock.nanoseconds(), 2'000'000'000) << c.name;
    }
}

}  // namespace
}  // namespace qvt
