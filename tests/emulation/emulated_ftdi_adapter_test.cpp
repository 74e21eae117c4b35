#include "emulation/emulated_ftdi_adapter.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

#include "emulation/emulated_isp_chip.h"
#include "support/files.h"

namespace qvt {
namespace {

constexpr std::uint16_t kBase = 0x378;
// FT232H breakout: SCK AD0, MOSI AD1, MISO AD2, RST AD3.
const PinMap kPins{{1, false}, {0, false}, {3, false}, {2, false}};
constexpr std::uint8_t kOutputs = 0x0B;

struct Rig {
    explicit Rig(FtdiModel model)
        : chip(Chip::k8253, kBase, EmulatedChipFiles{}, &clock),
          adapter(std::move(model), kPins, chip, kBase, clock) {}
    VirtualClock clock;
    EmulatedIspChip chip;
    EmulatedFtdiAdapter adapter;
};

// Sync bit-bang as AN232R-01 describes it: the pins are read just before a
// sample is driven, so each echo is one sample behind; pins that are inputs
// float high (MISO too while RST is low: the chip runs and its port pin pulls
// up). The echoes come back one round trip after the samples went out.
TEST(EmulatedFtdiAdapter, EchoesOneSampleBehindAfterARoundTrip) {
    ScopedWorkingDir dir;
    Rig rig(Ft232hModel());
    ASSERT_TRUE(rig.adapter.SetSamplePeriod(2000));
    ASSERT_TRUE(rig.adapter.SetOutputPins(kOutputs));
    const std::vector<std::uint8_t> samples{0x01, 0x08, 0x00};
    ASSERT_TRUE(rig.adapter.Write(samples.data(), samples.size()));
    std::vector<std::uint8_t> echoes(8);
    ASSERT_EQ(rig.adapter.Read(echoes.data(), echoes.size()), 3);
    echoes.resize(3);
    EXPECT_EQ(echoes, (std::vector<std::uint8_t>{0xF4, 0xF5, 0xFC}));
    EXPECT_EQ(rig.clock.nanoseconds(), 3 * 2000 + 125'000);
    EXPECT_EQ(rig.adapter.roundTrips(), 1);
    // RST went up with the second sample and down with the third.
    const auto& history = rig.adapter.lineHistory();
    ASSERT_GE(history.size(), 3u);
    EXPECT_EQ(history[history.size() - 2].levels & 0x04, 0x04);
    EXPECT_EQ(history[history.size() - 2].nanoseconds, 2000);
    EXPECT_EQ(history.back().levels & 0x04, 0);
}

// More than a FIFO ahead of the reads overflows the chip: an error, as on
// the real one, not silently more room.
TEST(EmulatedFtdiAdapter, RefusesToWriteBeyondOneFifo) {
    ScopedWorkingDir dir;
    Rig rig(Ft232rModel());
    ASSERT_TRUE(rig.adapter.SetOutputPins(kOutputs));
    std::vector<std::uint8_t> samples(128, 0x00);
    ASSERT_TRUE(rig.adapter.Write(samples.data(), 100));
    EXPECT_FALSE(rig.adapter.Write(samples.data(), 29));
    EXPECT_NE(rig.adapter.lastError(), "");
    std::vector<std::uint8_t> echoes(128);
    EXPECT_EQ(rig.adapter.Read(echoes.data(), echoes.size()), 100);
    EXPECT_TRUE(rig.adapter.Write(samples.data(), 128));
}

// Two stations at once: each process holds its own adapter, and a second
// process asking for a held one is refused as busy.
TEST(EmulatedFtdiAdapter, AnAdapterHeldByAnotherProcessIsBusy) {
    ScopedWorkingDir dir;
    VirtualClock clock;
    EmulatedIspChip chip(Chip::k8253, kBase, EmulatedChipFiles{}, &clock);
    auto first = OpenEmulatedFtdiAdapter("FT1", ".", Ft232rModel(), kPins, chip, kBase, clock);
    ASSERT_TRUE(first.adapter) << first.problem;
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        auto same = OpenEmulatedFtdiAdapter("FT1", ".", Ft232rModel(), kPins, chip, kBase, clock);
        auto other = OpenEmulatedFtdiAdapter("FT2", ".", Ft232rModel(), kPins, chip, kBase, clock);
        const bool refused = !same.adapter && same.problem ==
                                                  "FTDI-Adapter FT1 ist belegt: ein "
                                                  "anderes Programm benutzt ihn";
        _exit(refused && other.adapter ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    // Let go, the adapter can be had again.
    first.adapter->Close();
    auto again = OpenEmulatedFtdiAdapter("FT1", ".", Ft232rModel(), kPins, chip, kBase, clock);
    EXPECT_TRUE(again.adapter) << again.problem;
}

}  // namespace
}  // namespace qvt
