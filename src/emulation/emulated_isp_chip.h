#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "core/chip.h"
#include "platform/parallel_port.h"

namespace qvt {

class Counter;

// Where the emulated chip keeps its memories between runs.
struct EmulatedChipFiles {
    std::string code = "emulated-code.bin";
    std::string data = "emulated-data.bin";
    std::string lock = "emulated-lock";  // present while the lock bits are written
};

// Ways in which the emulated chip can misbehave, so the retry and failure
// paths of the programming sequences can be tried without broken hardware.
struct EmulatedChipFaults {
    bool absent = false;  // nothing on the cable: MISO keeps absentMisoLevel
    bool absentMisoLevel = true;
    int ignoredEnables = 0;     // enable instructions that go unanswered first
    bool eraseIgnored = false;  // the erase instruction has no effect
    std::map<std::uint16_t, std::uint8_t> stuckCode;  // cells that always hold a value
    std::map<std::uint16_t, std::uint8_t> stuckData;
    // Address of a byte or page start -> how many of the next writes there
    // store a wrong value in their last cell.
    std::map<std::uint16_t, int> weakCodeWrites;
    std::map<std::uint16_t, int> weakDataWrites;
};

// The programming cable with one 8252 or 8253 microcontroller behind it,
// emulated at the pin level. The data register drives MOSI (bit 0), SCK
// (bit 1) and RST (bit 2); the chip answers on status bit 6. It shifts a bit
// in at every rising SCK edge while RST is high, frames the bytes into the
// instructions of its type, and obeys them once the enable instruction was
// answered. Writes start a write cycle during which the written cells read as
// the complement of the new value. The memories are loaded from their files
// at construction and written back whenever RST falls after a change.
class EmulatedIspChip : public ParallelPort {
  public:
    // Write cycle lengths in microseconds, each shorter than the wait that the
    // programming sequence allows before it first polls.
    static constexpr int kByteWriteCycle = 150;
    static constexpr int kDataByteWriteCycle = 200;
    static constexpr int kPageWriteCycle = 300;

    // clock may be null: then every write completes at once.
    EmulatedIspChip(Chip chip, std::uint16_t base, EmulatedChipFiles files, Counter* clock);
    ~EmulatedIspChip() override;
    EmulatedIspChip(const EmulatedIspChip&) = delete;
    EmulatedIspChip& operator=(const EmulatedIspChip&) = delete;

    void Write(std::uint16_t address, std::uint8_t value) override;
    std::uint8_t Read(std::uint16_t address) override;

    Chip chip() const { return profile_.chip; }
    const std::vector<std::uint8_t>& code() const { return code_; }
    const std::vector<std::uint8_t>& data() const { return data_; }
    bool locked() const { return locked_; }
    bool programmingEnabled() const { return enabled_; }
    EmulatedChipFaults& faults() { return faults_; }

    // What the chip went through, for tests and measurements.
    struct Statistics {
        long long dataRegisterWrites = 0;
        long long statusReads = 0;
        int enableInstructions = 0;
        int erasures = 0;
        int lockWrites = 0;
        int pageWrites = 0;
        int byteWrites = 0;
    };
    const Statistics& statistics() const { return statistics_; }

    // Writes changed memories and the lock state to their files now.
    void Flush();

  private:
    enum class Memory { kCode, kData };

    void ClockRisingEdge(bool mosi);
    void ByteComplete(std::uint8_t byte);
    std::size_t InstructionLength() const;
    void Execute();
    void ExecuteByteInstruction();
    void ExecutePageInstruction();
    void Answer(std::uint8_t byte);
    void AnswerPage(Memory memory, std::uint16_t first, std::size_t count);
    std::uint8_t EnableAnswer();

    std::vector<std::uint8_t>& Image(Memory memory) {
        return memory == Memory::kCode ? code_ : data_;
    }
    std::uint8_t ReadCell(Memory memory, std::uint16_t address);
    void WriteCells(Memory memory, std::uint16_t first, const std::uint8_t* bytes,
                    std::size_t count, int cycleMicroseconds);
    void Erase();
    void StartWriteCycle(Memory memory, std::uint16_t first, std::size_t count, int microseconds);
    bool InWriteCycle(Memory memory, std::uint16_t address);
    void ResetFraming();

    const ChipProfile& profile_;
    std::uint16_t base_;
    EmulatedChipFiles files_;
    Counter* clock_;
    EmulatedChipFaults faults_;
    Statistics statistics_;

    std::vector<std::uint8_t> code_;
    std::vector<std::uint8_t> data_;
    bool locked_ = false;
    bool dirty_ = false;

    std::uint8_t dataRegister_ = 0;
    bool enabled_ = false;
    bool miso_ = true;
    int bitCount_ = 0;
    std::uint8_t shiftIn_ = 0;
    std::vector<std::uint8_t> frame_;
    std::array<std::uint8_t, 64> answer_{};
    std::size_t answerLength_ = 0;
    std::size_t answerIndex_ = 0;

    Memory busyMemory_ = Memory::kCode;
    std::uint16_t busyFirst_ = 0;
    std::size_t busyCount_ = 0;
    std::int64_t busyUntil_ = 0;
};

}  // namespace qvt
