// Programming through the GPIO cable: the emulated lines with the emulated
// chip behind them, time passing on a virtual clock by what each call to the
// kernel and each clock read costs. The chip must end up equal to the image,
// see exactly the line changes the protocol asked for, each held at least as
// long as asked, and a failure must never pass for a programmed chip.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <memory>

#include "emulation/emulated_gpio_lines.h"
#include "emulation/virtual_clock.h"
#include "prog/gpio_cable.h"
#include "prog/port_trace.h"
#include "support/files.h"
#include "support/programming_rig.h"

namespace qvt {
namespace {

using testing::Contents;
using testing::ImageOf;
using testing::MakeHex;
using testing::Message;
using testing::Pattern;
using testing::RecordingView;

constexpr std::uint16_t kBase = 0x378;
constexpr std::uint8_t kDrivenLines = kIspMosi | kIspSck | kIspRst;

// What the protocol asked of the cable: every change of the driven lines,
// and the waits it asked for after each.
class AskedOfCable : public Cable {
  public:
    explicit AskedOfCable(Cable& cable) : cable_(cable) {}

    CableTiming timing() const override { return cable_.timing(); }
    void SetLines(std::uint8_t state) override {
        if ((state & kDrivenLines) != states.back()) {
            states.push_back(state & kDrivenLines);
            waitsAfter.push_back(0);
        }
        cable_.SetLines(state);
    }
    MisoSample SampleMiso() override { return cable_.SampleMiso(); }
    void Wait(int units) override {
        waitsAfter.back() += units;
        cable_.Wait(units);
    }
    bool Flush() override { return cable_.Flush(); }
    bool MisoLevel(MisoSample sample) const override { return cable_.MisoLevel(sample); }
    void ForgetSamples() override { cable_.ForgetSamples(); }
    const std::string& fault() const override { return cable_.fault(); }

    // From the claim on, where all lines are low.
    std::vector<std::uint8_t> states{0};
    std::vector<long long> waitsAfter{0};

  private:
    Cable& cable_;
};

struct GpioRig {
    GpioRig(int chipNumber, const PinMap& wiring,
            const std::function<void(EmulatedGpioLines&)>& spoil)
        : chip(*ChipFromNumber(chipNumber), kBase, EmulatedChipFiles{}, &clock),
          lines(chip, kBase, wiring, clock) {
        if (spoil)
            spoil(lines);
        trace.Open("trace.txt");
        cable = std::make_unique<GpioCable>(
            lines, wiring, lines.hostClock(), [this](std::int64_t ns) { lines.Sleep(ns); }, &trace,
            kBase);
        asked = std::make_unique<AskedOfCable>(*cable);
        link = std::make_unique<IspLink>(*asked);
        programmer = std::make_unique<Programmer>(*link, chip.chip(), view);
    }

    VirtualClock clock;
    EmulatedIspChip chip;
    EmulatedGpioLines lines;
    PortTrace trace;
    std::unique_ptr<GpioCable> cable;
    std::unique_ptr<AskedOfCable> asked;
    std::unique_ptr<IspLink> link;
    RecordingView view;
    std::unique_ptr<Programmer> programmer;
};

// The Raspberry Pi header, and a cable with inverting drivers on RST and MISO.
const PinMap kRaspberryPi{{10, false}, {11, false}, {25, false}, {9, false}};
const PinMap kInvertingDrivers{{10, false}, {11, false}, {25, true}, {9, true}};

struct GpioCase {
    const char* name;
    int chip;
    PinMap wiring;
    std::function<void(EmulatedGpioLines&)> spoilLines;
    std::function<void(EmulatedIspChip&)> spoilChip;
    Message message;
};

void PrintTo(const GpioCase& c, std::ostream* out) {
    *out << c.name;
}

class GpioProgramming : public ::testing::TestWithParam<GpioCase> {};

TEST_P(GpioProgramming, EndsAsTheChipAndTheLinesSay) {
    const GpioCase& c = GetParam();
    ScopedWorkingDir dir;
    // Every cell of both memories, so every page and byte run is crossed.
    const std::size_t codeSize = c.chip == 8252 ? 8192 : 12288;
    const Contents program = {{0x0000, Pattern(codeSize, 7)}};
    const Contents table = {{0x0000, Pattern(2048, 8)}};
    WriteText("prog.hex", MakeHex(program));
    WriteText("table.hex", MakeHex(table));
    GpioRig rig(c.chip, c.wiring, c.spoilLines);
    if (c.spoilChip)
        c.spoilChip(rig.chip);

    rig.programmer->RunProgramming("prog.hex", "table.hex");

    EXPECT_EQ(rig.view.messages, std::vector<Message>{c.message});
    if (c.message.caption == "Fehler") {
        EXPECT_FALSE(rig.chip.locked());
        return;
    }
    EXPECT_EQ(rig.chip.code(), ImageOf(program, codeSize));
    EXPECT_EQ(rig.chip.data(), ImageOf(table, 2048));
    EXPECT_TRUE(rig.chip.locked());

    // The chip saw the protocol's changes one for one, each made with one
    // call, and none of them came before its wait was over.
    const auto& changes = rig.lines.changes();
    const auto& states = rig.asked->states;
    ASSERT_EQ(changes.size(), states.size());
    EXPECT_EQ(rig.lines.setCalls(), static_cast<long long>(states.size() - 1));
    std::size_t wrong = 0;
    std::size_t early = 0;
    for (std::size_t i = 0; i < changes.size(); ++i) {
        wrong += changes[i].chipState != states[i];
        if (i + 1 < changes.size())
            early += changes[i + 1].nanoseconds - changes[i].nanoseconds <
                     rig.asked->waitsAfter[i] * 1000;
    }
    EXPECT_EQ(wrong, 0u);
    EXPECT_EQ(early, 0u);

    // The trace tells the same in the parallel port's terms, whatever the
    // wiring inverts: the states written, and MISO read as often as it was.
    rig.trace.Flush();
    std::ifstream in("trace.txt");
    std::vector<std::uint8_t> written;
    long long reads = 0;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("W 0378 ", 0) == 0)
            written.push_back(static_cast<std::uint8_t>(std::stoi(line.substr(7), nullptr, 16)));
        reads += line == "R 0379 40" || line == "R 0379 00";
    }
    EXPECT_TRUE(written == states) << "the trace's states differ from what the chip saw";
    EXPECT_EQ(reads, rig.lines.readCalls());
}

const Message kDone{"Programm- und Datenspeicher fehlerfrei Programmiert", "Meldung"};
const Message kFailed{"Programmieren fehlgeschlagen", "Fehler"};

INSTANTIATE_TEST_SUITE_P(
    Cases, GpioProgramming,
    ::testing::Values(
        GpioCase{"plain_8252", 8252, kRaspberryPi, nullptr, nullptr, kDone},
        GpioCase{"inverting_8253", 8253, kInvertingDrivers, nullptr, nullptr, kDone},
        GpioCase{"stuck_cell_8252", 8252, kRaspberryPi, nullptr,
                 [](EmulatedIspChip& chip) { chip.faults().stuckCode[0x0435] = 0x00; }, kFailed},
        GpioCase{"stuck_cell_8253", 8253, kInvertingDrivers, nullptr,
                 [](EmulatedIspChip& chip) { chip.faults().stuckCode[0x0435] = 0x00; }, kFailed},
        // Lines gone half-way through the program memory: MISO then reads high,
        // which must not pass for erased cells or an answer.
        GpioCase{"lost_8252",
                 8252,
                 kRaspberryPi,
                 [](EmulatedGpioLines& lines) { lines.LoseLinesAfter(400'000); },
                 nullptr,
                 {"Programmieren fehlgeschlagen: GPIO-Leitungen nicht mehr erreichbar: kein "
                  "Gerät angeschlossen",
                  "Fehler"}},
        GpioCase{"lost_8253",
                 8253,
                 kInvertingDrivers,
                 [](EmulatedGpioLines& lines) { lines.LoseLinesAfter(400'000); },
                 nullptr,
                 {"Programmieren fehlgeschlagen: GPIO-Leitungen nicht mehr erreichbar: kein "
                  "Gerät angeschlossen",
                  "Fehler"}},
        GpioCase{"busy_8253",
                 8253,
                 kRaspberryPi,
                 [](EmulatedGpioLines& lines) { lines.HoldLine(25, "gpio-keys"); },
                 nullptr,
                 {"Programmieren fehlgeschlagen: GPIO-Leitung 25 ist belegt (von „gpio-keys“)",
                  "Fehler"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qvt
