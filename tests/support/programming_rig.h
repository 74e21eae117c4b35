#pragma once

// Shared pieces of the programming tests: a counter that advances with every
// look, a view that records what a run shows, Intel HEX text made from memory
// contents, and a rig of emulated chip, port and link.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "emulation/emulated_isp_chip.h"
#include "platform/counter.h"
#include "prog/isp_link.h"
#include "prog/parallel_cable.h"
#include "prog/port_io.h"
#include "prog/programmer.h"
#include "prog/programming_view.h"
#include "support/files.h"

namespace qvt::testing {

// Every look at the counter moves it on by one delay unit (10 counts at
// 10 MHz), so busy waits end after as many looks as they wait units.
class FakeCounter : public Counter {
  public:
    explicit FakeCounter(std::int64_t frequency = 10'000'000, std::int64_t step = 10)
        : frequency_(frequency), step_(step) {}
    std::int64_t Frequency() const override { return frequency_; }
    std::int64_t Now() override {
        const std::int64_t now = now_;
        now_ += step_;
        return now;
    }
    std::int64_t peek() const { return now_; }

  private:
    std::int64_t frequency_;
    std::int64_t step_;
    std::int64_t now_ = 1'000'000;
};

struct Message {
    std::string text;
    std::string caption;
    bool operator==(const Message&) const = default;
};

class RecordingView : public ProgrammingView {
  public:
    void ShowProgress(const std::string& text) override {
        progressTexts.push_back(text);
        visible = true;
    }
    void SetProgressMaximum(int maximum) override { this->maximum = maximum; }
    void SetProgressPosition(int position) override {
        this->position = position;
        if (onPosition)
            onPosition(position);
    }
    void HideProgress() override {
        visible = false;
        if (onHide)
            onHide();
    }
    void ShowMessage(const std::string& text, Severity severity) override {
        messages.push_back({text, SeverityCaption(severity)});
    }
    bool AbortRequested() override { return ++abortQuestions > escapeAfter && escapeAfter >= 0; }

    std::vector<std::string> progressTexts;
    std::vector<Message> messages;
    bool visible = false;
    int maximum = -1;
    int position = -1;
    int abortQuestions = 0;
    int escapeAfter = -1;  // ESC "pressed" once this many bytes were programmed
    std::function<void(int)> onPosition;
    std::function<void()> onHide;
};

// Intel HEX for the given memory contents: 16-byte data records (or the
// given size) in address order, then the end record.
inline std::string HexRecordLine(std::uint16_t address, std::uint8_t type,
                                 const std::vector<std::uint8_t>& bytes) {
    std::uint8_t sum =
        static_cast<std::uint8_t>(bytes.size() + (address >> 8) + (address & 0xFF) + type);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, ":%02X%04X%02X", static_cast<unsigned>(bytes.size()),
                  address, type);
    std::string line = buffer;
    for (std::uint8_t b : bytes) {
        std::snprintf(buffer, sizeof buffer, "%02X", b);
        line += buffer;
        sum = static_cast<std::uint8_t>(sum + b);
    }
    std::snprintf(buffer, sizeof buffer, "%02X\r\n", static_cast<std::uint8_t>(0 - sum));
    return line + buffer;
}

using Contents = std::map<std::uint16_t, std::vector<std::uint8_t>>;

inline std::string MakeHex(const Contents& contents, std::size_t recordSize = 16) {
    std::string text;
    for (const auto& [address, bytes] : contents) {
        for (std::size_t i = 0; i < bytes.size(); i += recordSize) {
            const std::size_t n = std::min(recordSize, bytes.size() - i);
            text += HexRecordLine(static_cast<std::uint16_t>(address + i), 0x00,
                                  {bytes.begin() + i, bytes.begin() + i + n});
        }
    }
    return text + ":00000001FF\r\n";
}

inline std::vector<std::uint8_t> ImageOf(const Contents& contents, std::size_t size) {
    std::vector<std::uint8_t> image(size, 0xFF);
    for (const auto& [address, bytes] : contents) {
        for (std::size_t i = 0; i < bytes.size(); ++i) image[address + i] = bytes[i];
    }
    return image;
}

// Deterministic bytes that differ from erased cells.
inline std::vector<std::uint8_t> Pattern(std::size_t size, unsigned seed) {
    std::vector<std::uint8_t> bytes(size);
    std::uint32_t x = seed * 2654435761u + 1;
    for (auto& b : bytes) {
        x = x * 1103515245u + 12345u;
        b = static_cast<std::uint8_t>((x >> 16) % 0xFF);  // never 0xFF
    }
    return bytes;
}

#ifdef QVT_PROG_FIXTURES
inline std::string Fixture(const std::string& name) {
    return std::string(QVT_PROG_FIXTURES) + "/" + name;
}
#endif

inline constexpr std::uint16_t kBase = 0x378;

// One emulated chip on the cable, driven through the real port layer and link.
struct ChipRig {
    // chipNumber: 8252 or 8253, as the chip's label gives it.
    explicit ChipRig(int chipNumber)
        : chip(*ChipFromNumber(chipNumber), kBase, EmulatedChipFiles{}, &counter),
          io(&chip),
          cable(io, counter, kBase),
          link(cable),
          programmer(link, chip.chip(), view) {}

    FakeCounter counter;
    EmulatedIspChip chip;
    PortIo io;
    ParallelCable cable;
    IspLink link;
    RecordingView view;
    Programmer programmer;

    std::uint8_t dataRegister() { return chip.Read(kBase); }
};

}  // namespace qvt::testing
