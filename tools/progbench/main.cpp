// progbench: programs a full program memory image (12 KB on the 8253, 8 KB on
// the 8252) through the emulated cable with the real 10 MHz counter, and sets
// the elapsed time against the sum of all delay units the sequence waited:
// the floor that no cable can beat. Runs in a temporary folder.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

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

    std::vector<std::uint8_t> expected(qvt::ProfileOf(which).codeSize, 0xFF);
    std::copy(firmware.begin(), firmware.end(), expected.begin());
    const bool same = chip.code() == expected;
    std::printf("%d  %5zu bytes  %-45s  image %s\n", qvt::ChipNumber(which), size,
                view.outcome.c_str(), same ? "identical" : "DIFFERENT");
    std::printf(
        "      elapsed %.3f s, floor %.3f s (%lld units), ratio %.3f, "
        "%lld port writes, %lld status reads\n",
        seconds, floor, link.waitedUnits(), seconds / floor, chip.statistics().dataRegisterWrites,
        chip.statistics().statusReads);
    return same;
}

}  // namespace

int main() {
    const std::filesystem::path previous = std::filesystem::current_path();
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("progbench-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    std::filesystem::current_path(dir);
    const bool ok = Measure(qvt::Chip::k8253, qvt::kProfile8253.codeSize) &&
                    Measure(qvt::Chip::k8252, qvt::kProfile8252.codeSize);
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(dir);
    return ok ? 0 : 1;
}
