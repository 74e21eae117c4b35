// The cable on a board's GPIO lines, driven through the emulated lines with
// the emulated chip behind them: what reaches the chip, when, and in how
// many calls to the kernel.
#include "prog/gpio_cable.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "emulation/emulated_gpio_lines.h"
#include "emulation/emulated_isp_chip.h"
#include "emulation/virtual_clock.h"
#include "prog/port_trace.h"
#include "support/files.h"

namespace qvt {
namespace {

constexpr std::uint16_t kBase = 0x378;
// The chip's data register bits as the emulated chip reads them.
constexpr std::uint8_t kChipRst = 0x04;

// The Raspberry Pi header's wiring (BCM numbers), and the same with every
// line through an inverter.
const PinMap kRaspberryPi{{10, false}, {11, false}, {25, false}, {9, false}};
const PinMap kInverted{{10, true}, {11, true}, {25, true}, {9, true}};

struct Bench {
    explicit Bench(PinMap map = kRaspberryPi, EmulatedGpioTiming timing = {})
        : chip(Chip::k8252, kBase, EmulatedChipFiles{}, &clock),
          lines(chip, kBase, map, clock, timing),
          pins(map) {}

    GpioCable& Cable() {
        if (!cable)
            cable = std::make_unique<GpioCable>(
                lines, pins, lines.hostClock(), [this](std::int64_t ns) { lines.Sleep(ns); },
                &trace, kBase);
        return *cable;
    }

    std::vector<std::string> Trace() {
        trace.Flush();
        std::vector<std::string> lines;
        std::ifstream in(dir.path() / "trace.txt");
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }

    ScopedWorkingDir dir;
    VirtualClock clock;
    EmulatedIspChip chip;
    EmulatedGpioLines lines;
    PinMap pins;
    PortTrace trace;
    std::unique_ptr<GpioCable> cable;
};

// Shifts a byte out and in as the ISP protocol does: MOSI set, a half-period,
// SCK up, MISO sampled, a half-period, SCK down. RST stays up, and the fourth
// line of the parallel cable toggles as it does in a read.
std::uint8_t ExchangeByte(Cable& cable, std::uint8_t out, int half) {
    std::uint8_t in = 0;
    std::vector<MisoSample> samples;
    for (int bit = 7; bit >= 0; --bit) {
        const std::uint8_t mosi = (out >> bit) & 1 ? kIspMosi : 0;
        cable.SetLines(kIspRst | mosi);
        cable.Wait(half);
        cable.SetLines(kIspRst | mosi | kIspSck);
        samples.push_back(cable.SampleMiso());
        cable.Wait(half);
        cable.SetLines(kIspRst | mosi | kIspAux);
    }
    cable.Flush();
    for (MisoSample s : samples) in = static_cast<std::uint8_t>(in << 1 | cable.MisoLevel(s));
    cable.ForgetSamples();
    return in;
}

// A wait is over only when its time has surely passed on the host's counter,
// whatever the counter's rate, and the trace never claims more. Below a
// millisecond the cable spins (a sleep may overshoot by far more than the
// wait); from there on it sleeps and looks at the clock only a few times.
TEST(GpioCable, EveryWaitLastsAtLeastWhatWasAsked) {
    const int waits[] = {1, 2, 3, 17, 999, 1000, 1001, 2500, 30000};
    // 10 MHz as the program's counter, the ACPI timer's odd rate, a 32 kHz
    // clock with counts longer than the shortest waits, nanoseconds.
    const std::int64_t frequencies[] = {10'000'000, 3'579'545, 32'768, 1'000'000'000};
    for (std::int64_t frequency : frequencies) {
        for (int units : waits) {
            SCOPED_TRACE(std::to_string(frequency) + " Hz, " + std::to_string(units) + " us");
            EmulatedGpioTiming timing;
            // Calls that cost nothing, so only the wait separates the edges.
            timing.setNanoseconds = 0;
            timing.readNanoseconds = 0;
            timing.clockReadNanoseconds = 1;
            timing.counterFrequency = frequency;
            Bench bench(kRaspberryPi, timing);
            ASSERT_TRUE(bench.trace.Open((bench.dir.path() / "trace.txt").string()));
            Cable& cable = bench.Cable();
            cable.SetLines(kIspRst);
            // The wait starts late in a count of the slowest counter, 1 ns
            // before the 10 MHz counter's next count.
            bench.clock.Advance(29'999 - bench.clock.nanoseconds());
            const long long readsBefore = bench.lines.clockReads();
            cable.Wait(units);
            const long long reads = bench.lines.clockReads() - readsBefore;
            cable.SetLines(kIspRst | kIspSck);
            const auto& changes = bench.lines.changes();
            ASSERT_GE(changes.size(), 2u);
            const std::int64_t held =
                changes.back().nanoseconds - changes[changes.size() - 2].nanoseconds;
            EXPECT_GE(held, units * 1000LL);
            const std::vector<std::string> trace = bench.Trace();
            ASSERT_EQ(trace.size(), 4u);
            EXPECT_EQ(trace[1], "W 0378 04");
            const long long traced = std::stoll(trace[2].substr(2));
            EXPECT_GE(traced, units);
            EXPECT_LE(traced * 1000, held);
            if (units >= GpioCable::kSleepFromMicroseconds) {
                EXPECT_LT(reads, 10);
            }
        }
    }
}

// The fourth line of the parallel cable has no pin here: a change of it
// alone costs no call to the kernel (programming and the time it takes are
// checked end to end in gpio_programming_test.cpp).
TEST(GpioCable, TheFourthLineCostsNoCall) {
    Bench bench(kInverted);
    Cable& cable = bench.Cable();
    cable.SetLines(kIspRst | kIspAux);
    cable.SetLines(kIspRst);
    cable.SetLines(kIspRst | kIspAux);
    EXPECT_EQ(bench.lines.setCalls(), 1);
    EXPECT_EQ(bench.lines.changes().back().chipState, kChipRst);
}

// The lines end the session at rest: a cable dropped in the middle of one
// brings SCK and MOSI down before RST, and lets go of the lines.
TEST(GpioCable, LetsGoWithRstLast) {
    Bench bench;
    bench.Cable().SetLines(kIspRst | kIspSck | kIspMosi);
    bench.cable.reset();
    const auto& changes = bench.lines.changes();
    ASSERT_GE(changes.size(), 3u);
    EXPECT_EQ(changes[changes.size() - 2].chipState, kChipRst);
    EXPECT_EQ(changes.back().chipState, 0);
    EXPECT_FALSE(bench.lines.held());
}

// A line held by another program, one the chip does not have, or lines
// that vanish in the middle of a byte: one clear message, everything after it dropped at once, MISO
// high, and the chip never seen as answering.
TEST(GpioCable, FailsOnceWithAClearMessage) {
    struct Case {
        const char* name;
        std::function<void(EmulatedGpioLines&)> spoil;
        PinMap map;
        std::vector<std::string> words;
    };
    const auto none = [](EmulatedGpioLines&) {};
    // RST on a line the chip does not have (a map written for a larger chip).
    const PinMap beyond{{10, false}, {11, false}, {60, false}, {9, false}};
    const Case cases[] = {
        {"busy",
         [](EmulatedGpioLines& l) { l.HoldLine(11, "spi0 CS1"); },
         kRaspberryPi,
         {"GPIO-Leitung 11", "belegt", "spi0 CS1"}},
        {"lost",
         [](EmulatedGpioLines& l) { l.LoseLinesAfter(20); },
         kRaspberryPi,
         {"nicht mehr erreichbar"}},
        {"no such line", none, beyond, {"keine Leitung 60"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bench bench(c.map);
        c.spoil(bench.lines);
        Cable& cable = bench.Cable();
        cable.SetLines(kIspRst | kIspAux);
        cable.Wait(3000);
        ExchangeByte(cable, 0xAC, 2);
        ExchangeByte(cable, 0x53, 2);
        const long long callsAfterFirstTwo = bench.lines.setCalls() + bench.lines.readCalls();
        const std::int64_t before = bench.clock.nanoseconds();
        EXPECT_EQ(ExchangeByte(cable, 0x00, 2), 0xFF);
        cable.Wait(500000);
        EXPECT_EQ(bench.lines.setCalls() + bench.lines.readCalls(), callsAfterFirstTwo);
        EXPECT_EQ(bench.clock.nanoseconds(), before) << "waited on a failed cable";
        EXPECT_FALSE(cable.Flush());
        for (const std::string& word : c.words)
            EXPECT_NE(cable.fault().find(word), std::string::npos) << cable.fault();
        EXPECT_FALSE(bench.chip.programmingEnabled());
    }
}

}  // namespace
}  // namespace qvt
