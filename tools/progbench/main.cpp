// progbench: programs a full program memory image (12 KB on the 8253, 8 KB on
// the 8252) through the emulated cable with the real 10 MHz counter, and sets
// the elapsed time against the sum of all delay units the sequence waited:
// the floor that no cable can beat. Runs in a temporary folder.
//   progbench [--cable parallel|ft232r|ft232h] [--round-trip-us N]
// With an FTDI model the emulated adapter stands in for the cable, and the
// time is the virtual clock's: one sample period per sample, the model's
// round trip per USB batch (or N microseconds), host sleeps as slept.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "emulation/emulated_ftdi_adapter.h"
#include "emulation/virtual_clock.h"
#include "prog/ftdi_cable.h"

#include "emulation/emulated_isp_chip.h"
#include "platform/monotonic_counter.h"
#include "prog/isp_link.h"
#include "prog/parallel_cable.h"
#include "prog/port_io.h"
#include "prog/programmer.h"
#include "prog/programming_view.h"

namespace {

constexpr std::uint16_t kBase = 0x378;

class QuietView : public qvt::ProgrammingView {
  public:
    void ShowProgress(const std::string&) override {}
    void SetProgressMaximum(int) override {}
    void SetProgressPosition(int) override {}
    void HideProgress() override {}
    void ShowMessage(const std::string& text, qvt::Severity severity) override {
        outcome = qvt::SeverityCaption(severity) + (": " + text);
    }
    bool AbortRequested() override { return false; }
    std::string outcome;
};

std::vector<std::uint8_t> Firmware(std::size_t size) {
    std::vector<std::uint8_t> bytes(size);
    std::uint32_t x = 12345;
    for (auto& b : bytes) {
        x = x * 1103515245u + 12345u;
        b = static_cast<std::uint8_t>(x >> 16);
    }
    return bytes;
}

void WriteHex(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    char line[64];
    for (std::size_t a = 0; a < bytes.size(); a += 16) {
        unsigned sum = 16 + (a >> 8) + (a & 0xFF);
        int n = std::snprintf(line, sizeof line, ":10%04X00", static_cast<unsigned>(a));
        for (std::size_t i = 0; i < 16; ++i) {
            n += std::snprintf(line + n, sizeof line - n, "%02X", bytes[a + i]);
            sum += bytes[a + i];
        }
        std::snprintf(line + n, sizeof line - n, "%02X\r\n", (0x100 - (sum & 0xFF)) & 0xFF);
        out << line;
    }
    out << ":00000001FF\r\n";
}

// The FTDI model the run goes through; none for the parallel cable.
struct Bench {
    std::optional<qvt::FtdiModel> model;
    qvt::PinMap pins;
};

bool Report(qvt::Chip which, std::size_t size, const std::vector<std::uint8_t>& firmware,
            const std::vector<std::uint8_t>& code, const std::string& outcome) {
    std::vector<std::uint8_t> expected(qvt::ProfileOf(which).codeSize, 0xFF);
    std::copy(firmware.begin(), firmware.end(), expected.begin());
    const bool same = code == expected;
    std::printf("%d  %5zu bytes  %-45s  image %s\n", qvt::ChipNumber(which), size, outcome.c_str(),
                same ? "identical" : "DIFFERENT");
    return same;
}

bool MeasureFtdi(qvt::Chip which, std::size_t size, const Bench& bench) {
    const std::vector<std::uint8_t> firmware = Firmware(size);
    WriteHex("bench.hex", firmware);
    std::filesystem::remove("emulated-code.bin");
    std::filesystem::remove("emulated-lock");

    qvt::VirtualClock clock;
    qvt::EmulatedIspChip chip(which, kBase, qvt::EmulatedChipFiles{}, &clock);
    qvt::EmulatedFtdiAdapter adapter(*bench.model, bench.pins, chip, kBase, clock);
    qvt::FtdiCable cable(
        adapter, bench.pins, clock, [&](std::int64_t ns) { adapter.SleepHost(ns); }, nullptr);
    qvt::IspLink link(cable);
    QuietView view;
    qvt::Programmer programmer(link, which, view);
    programmer.RunProgramming("bench.hex", "");
    cable.Release();

    const double seconds = static_cast<double>(clock.nanoseconds()) * 1e-9;
    const double floor = static_cast<double>(link.waitedUnits()) * 1e-6;
    const bool same = Report(which, size, firmware, chip.code(), view.outcome);
    std::printf(
        "      %s, round trip %d us: virtual %.3f s, floor %.3f s (%lld units), ratio %.3f, "
        "%lld USB round trips, %lld samples\n",
        bench.model->name.c_str(), bench.model->roundTripMicroseconds, seconds, floor,
        link.waitedUnits(), seconds / floor, adapter.roundTrips(), adapter.samplesWritten());
    return same;
}

bool Measure(qvt::Chip which, std::size_t size) {
    const std::vector<std::uint8_t> firmware = Firmware(size);
    WriteHex("bench.hex", firmware);
    std::filesystem::remove("emulated-code.bin");
    std::filesystem::remove("emulated-lock");

    qvt::MonotonicCounter counter;
    qvt::EmulatedIspChip chip(which, kBase, qvt::EmulatedChipFiles{}, &counter);
    qvt::PortIo io(&chip);
    qvt::ParallelCable cable(io, counter, kBase);
    qvt::IspLink link(cable);
    QuietView view;
    qvt::Programmer programmer(link, which, view);

    const auto start = std::chrono::steady_clock::now();
    programmer.RunProgramming("bench.hex", "");
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double floor = static_cast<double>(link.waitedUnits()) * 1e-6;

    const bool same = Report(which, size, firmware, chip.code(), view.outcome);
    std::printf(
        "      elapsed %.3f s, floor %.3f s (%lld units), ratio %.3f, "
        "%lld port writes, %lld status reads\n",
        seconds, floor, link.waitedUnits(), seconds / floor, chip.statistics().dataRegisterWrites,
        chip.statistics().statusReads);
    return same;
}

}  // namespace

int main(int argc, char** argv) {
    Bench bench;
    int roundTrip = -1;
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--cable") == 0 && hasValue) {
            const std::string cable = argv[++i];
            if (cable == "ft232r") {
                bench.model = qvt::Ft232rModel();
                bench.pins = {{2, false}, {0, false}, {4, false}, {1, false}};
            } else if (cable == "ft232h") {
                bench.model = qvt::Ft232hModel();
                bench.pins = {{1, false}, {0, false}, {3, false}, {2, false}};
            } else if (cable != "parallel") {
                std::fprintf(stderr, "progbench: unknown cable %s\n", cable.c_str());
                return 2;
            }
        } else if (std::strcmp(argv[i], "--round-trip-us") == 0 && hasValue) {
            roundTrip = std::atoi(argv[++i]);
        } else {
            std::fprintf(stderr,
                         "usage: progbench [--cable parallel|ft232r|ft232h] [--round-trip-us N]\n");
            return 2;
        }
    }
    if (bench.model && roundTrip >= 0)
        bench.model->roundTripMicroseconds = roundTrip;
    const auto measure = [&](qvt::Chip which, std::size_t size) {
        return bench.model ? MeasureFtdi(which, size, bench) : Measure(which, size);
    };
    const std::filesystem::path previous = std::filesystem::current_path();
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("progbench-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    std::filesystem::current_path(dir);
    const bool ok = measure(qvt::Chip::k8253, qvt::kProfile8253.codeSize) &&
                    measure(qvt::Chip::k8252, qvt::kProfile8252.codeSize);
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(dir);
    return ok ? 0 : 1;
}
