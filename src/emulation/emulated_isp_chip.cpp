#include "emulation/emulated_isp_chip.h"

#include <filesystem>
#include <utility>

#include "emulation/chip_memory_file.h"
#include "platform/counter.h"
#include "platform/files/atomic_file.h"

namespace qvt {
namespace {

constexpr std::uint8_t kMosi = 0x01;
constexpr std::uint8_t kSck = 0x02;
constexpr std::uint8_t kRst = 0x04;
constexpr std::uint8_t kMisoStatusBit = 0x40;
constexpr std::uint8_t kEnableAnswer = 0x53;
// What a locked chip gives for every memory read, and what an instruction
// that reads nothing meaningful shifts out.
constexpr std::uint8_t kLockedRead = 0x00;
constexpr std::uint8_t kIdleOutput = 0xFF;

std::string Absolute(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.string();
}

}  // namespace

EmulatedIspChip::EmulatedIspChip(Chip chip, std::uint16_t base, EmulatedChipFiles files,
                                 Counter* clock)
    : profile_(ProfileOf(chip)), base_(base), clock_(clock) {
    // Fixed at start: a later change of the working directory must not move
    // the chip's memory somewhere else.
    files_.code = Absolute(files.code);
    files_.data = Absolute(files.data);
    files_.lock = Absolute(files.lock);
    code_ = LoadMemoryImage(files_.code, profile_.codeSize);
    data_ = LoadMemoryImage(files_.data, profile_.dataSize);
    locked_ = std::filesystem::exists(files_.lock);
    frame_.reserve(3 + 64);
}

EmulatedIspChip::~EmulatedIspChip() {
    Flush();
}

void EmulatedIspChip::Flush() {
    if (!dirty_)
        return;
    SaveMemoryImage(files_.code, code_);
    SaveMemoryImage(files_.data, data_);
    if (locked_) {
        ReplaceFileContents(files_.lock, "1");
    } else {
        std::error_code ignored;
        std::filesystem::remove(files_.lock, ignored);
    }
    dirty_ = false;
}

void EmulatedIspChip::Write(std::uint16_t address, std::uint8_t value) {
    if (address != base_)
        return;  // only the data register is wired to the cable
    ++statistics_.dataRegisterWrites;
    const std::uint8_t previous = dataRegister_;
    dataRegister_ = value;
    if (!(value & kRst)) {
        if (previous & kRst) {
            // The chip leaves programming mode and runs; the operation is over.
            ResetFraming();
            enabled_ = false;
            Flush();
        }
        return;
    }
    if (!(previous & kRst)) {
        ResetFraming();
        enabled_ = false;
        return;
    }
    if ((value & kSck) && !(previous & kSck))
        ClockRisingEdge(value & kMosi);
}

std::uint8_t EmulatedIspChip::Read(std::uint16_t address) {
    if (address == base_)
        return dataRegister_;
    if (address != base_ + 1)
        return 0xFF;
    ++statistics_.statusReads;
    bool level = miso_;
    if (faults_.absent)
        level = faults_.absentMisoLevel;
    else if (!(dataRegister_ & kRst))
        level = true;  // port pin with its pull-up while running
    return level ? kMisoStatusBit : 0x00;
}

void EmulatedIspChip::ResetFraming() {
    bitCount_ = 0;
    shiftIn_ = 0;
    frame_.clear();
    answerLength_ = 0;
    answerIndex_ = 0;
    miso_ = true;
}

void EmulatedIspChip::ClockRisingEdge(bool mosi) {
    const std::uint8_t out = answerIndex_ < answerLength_ ? answer_[answerIndex_] : kIdleOutput;
    miso_ = (out >> (7 - bitCount_)) & 1;
    shiftIn_ = static_cast<std::uint8_t>((shiftIn_ << 1) | (mosi ? 1 : 0));
    if (++bitCount_ == 8) {
        bitCount_ = 0;
        ByteComplete(shiftIn_);
    }
}

void EmulatedIspChip::ByteComplete(std::uint8_t byte) {
    if (answerIndex_ < answerLength_) {
        // An answer slot: whatever the programmer shifted in meanwhile is ignored.
        if (++answerIndex_ == answerLength_)
            answerLength_ = answerIndex_ = 0;
        return;
    }
    frame_.push_back(byte);
    if (frame_.size() < InstructionLength())
        return;
    Execute();
    frame_.clear();
}

// Number of bytes the programmer shifts in for the instruction begun in frame_.
std::size_t EmulatedIspChip::InstructionLength() const {
    const std::uint8_t first = frame_[0];
    if (first == 0xAC) {
        if (frame_.size() < 2)
            return 2;
        if (frame_[1] == 0x53)
            return profile_.enableInstructionLength;
        return profile_.enableInstructionLength + 1;
    }
    if (!profile_.writesPages()) {
        const int operation = first & 0x07;
        return operation == 1 || operation == 5 ? 2 : 3;  // reads answer in the third byte
    }
    switch (first) {
        case 0x20:
        case 0x30:
        case 0xA0:
        case 0xB0:
            return 3;
        case 0x50:
            return 3 + 64;
        case 0xD0:
            return 3 + 32;
        default:
            return 4;
    }
}

void EmulatedIspChip::Answer(std::uint8_t byte) {
    answer_[0] = byte;
    answerLength_ = 1;
    answerIndex_ = 0;
}

void EmulatedIspChip::AnswerPage(Memory memory, std::uint16_t first, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        answer_[i] =
            enabled_ ? ReadCell(memory, static_cast<std::uint16_t>(first + i)) : kIdleOutput;
    }
    answerLength_ = count;
    answerIndex_ = 0;
}

std::uint8_t EmulatedIspChip::EnableAnswer() {
    ++statistics_.enableInstructions;
    if (faults_.absent)
        return kIdleOutput;
    if (faults_.ignoredEnables > 0) {
        --faults_.ignoredEnables;
        return kIdleOutput;
    }
    enabled_ = true;
    return kEnableAnswer;
}

void EmulatedIspChip::Execute() {
    if (frame_[0] == 0xAC && frame_[1] == 0x53) {
        Answer(EnableAnswer());
        return;
    }
    if (profile_.writesPages()) {
        ExecutePageInstruction();
    } else {
        ExecuteByteInstruction();
    }
}

void EmulatedIspChip::ExecuteByteInstruction() {
    const std::uint8_t first = frame_[0];
    if (first == 0xAC) {
        if (!enabled_)
            return;
        if (frame_[1] == 0x04)
            Erase();
        if (frame_[1] == 0x3F) {
            ++statistics_.lockWrites;
            locked_ = true;
            dirty_ = true;
        }
        return;
    }
    // Address instructions: high address bits above a three-bit operation.
    const auto codeAddress = static_cast<std::uint16_t>((((first >> 3) << 8) | frame_[1]) & 0x1FFF);
    const auto dataAddress = static_cast<std::uint16_t>((((first >> 3) & 0x07) << 8) | frame_[1]);
    switch (first & 0x07) {
        case 1:
            Answer(enabled_ ? ReadCell(Memory::kCode, codeAddress) : kIdleOutput);
            break;
        case 5:
            Answer(enabled_ ? ReadCell(Memory::kData, dataAddress) : kIdleOutput);
            break;
        case 2:
            if (enabled_)
                WriteCells(Memory::kCode, codeAddress, &frame_[2], 1, kByteWriteCycle);
            break;
        case 6:
            if (enabled_)
                WriteCells(Memory::kData, dataAddress, &frame_[2], 1, kDataByteWriteCycle);
            break;
        default:
            break;
    }
}

void EmulatedIspChip::ExecutePageInstruction() {
    const std::uint8_t first = frame_[0];
    const auto codeAddress = static_cast<std::uint16_t>(((frame_[1] & 0x3F) << 8) | frame_[2]);
    const auto dataAddress = static_cast<std::uint16_t>(((frame_[1] & 0x07) << 8) | frame_[2]);
    switch (first) {
        case 0xAC:
            if (!enabled_)
                return;
            if (frame_[1] == 0x80)
                Erase();
            if (frame_[1] == 0xE0) {
                ++statistics_.lockWrites;
                locked_ = true;
                dirty_ = true;
            }
            return;
        case 0x20:
            Answer(enabled_ ? ReadCell(Memory::kCode, codeAddress) : kIdleOutput);
            return;
        case 0xA0:
            Answer(enabled_ ? ReadCell(Memory::kData, dataAddress) : kIdleOutput);
            return;
        case 0x30:
            AnswerPage(Memory::kCode, codeAddress & 0x3FC0, 64);
            return;
        case 0xB0:
            AnswerPage(Memory::kData, dataAddress & 0x07E0, 32);
            return;
        default:
            break;
    }
    if (!enabled_)
        return;
    switch (first) {
        case 0x40:
            WriteCells(Memory::kCode, codeAddress, &frame_[3], 1, kByteWriteCycle);
            break;
        case 0xC0:
            WriteCells(Memory::kData, dataAddress, &frame_[3], 1, kByteWriteCycle);
            break;
        case 0x50:
            WriteCells(Memory::kCode, codeAddress & 0x3FC0, &frame_[3], 64, kPageWriteCycle);
            break;
        case 0xD0:
            WriteCells(Memory::kData, dataAddress & 0x07E0, &frame_[3], 32, kPageWriteCycle);
            break;
        default:
            break;
    }
}

std::uint8_t EmulatedIspChip::ReadCell(Memory memory, std::uint16_t address) {
    const std::vector<std::uint8_t>& image = Image(memory);
    if (locked_)
        return kLockedRead;
    if (address >= image.size())
        return 0xFF;
    const std::uint8_t value = image[address];
    return InWriteCycle(memory, address) ? static_cast<std::uint8_t>(~value) : value;
}

void EmulatedIspChip::WriteCells(Memory memory, std::uint16_t first, const std::uint8_t* bytes,
                                 std::size_t count, int cycleMicroseconds) {
    if (count == 1) {
        ++statistics_.byteWrites;
    } else {
        ++statistics_.pageWrites;
    }
    if (locked_)
        return;
    std::vector<std::uint8_t>& image = Image(memory);
    const auto& stuck = memory == Memory::kCode ? faults_.stuckCode : faults_.stuckData;
    for (std::size_t i = 0; i < count; ++i) {
        const auto address = static_cast<std::uint16_t>(first + i);
        if (address >= image.size())
            continue;
        const auto cell = stuck.find(address);
        image[address] = cell != stuck.end() ? cell->second : bytes[i];
    }
    auto& weak = memory == Memory::kCode ? faults_.weakCodeWrites : faults_.weakDataWrites;
    const auto cell = weak.find(first);
    const std::size_t last = first + count - 1;
    if (cell != weak.end() && cell->second > 0 && last < image.size()) {
        --cell->second;
        image[last] ^= 0x01;  // one cell did not take its value
    }
    dirty_ = true;
    StartWriteCycle(memory, first, count, cycleMicroseconds);
}

void EmulatedIspChip::Erase() {
    ++statistics_.erasures;
    if (faults_.eraseIgnored)
        return;
    for (std::size_t a = 0; a < code_.size(); ++a) {
        const auto cell = faults_.stuckCode.find(static_cast<std::uint16_t>(a));
        code_[a] = cell != faults_.stuckCode.end() ? cell->second : 0xFF;
    }
    for (std::size_t a = 0; a < data_.size(); ++a) {
        const auto cell = faults_.stuckData.find(static_cast<std::uint16_t>(a));
        data_[a] = cell != faults_.stuckData.end() ? cell->second : 0xFF;
    }
    locked_ = false;
    busyCount_ = 0;
    dirty_ = true;
}

void EmulatedIspChip::StartWriteCycle(Memory memory, std::uint16_t first, std::size_t count,
                                      int microseconds) {
    if (!clock_ || clock_->Frequency() <= 0)
        return;
    busyMemory_ = memory;
    busyFirst_ = first;
    busyCount_ = count;
    busyUntil_ = clock_->Now() + clock_->Frequency() / 1'000'000 * microseconds;
}

bool EmulatedIspChip::InWriteCycle(Memory memory, std::uint16_t address) {
    if (busyCount_ == 0)
        return false;
    if (clock_->Now() >= busyUntil_) {
        busyCount_ = 0;
        return false;
    }
    return memory == busyMemory_ && address >= busyFirst_ && address < busyFirst_ + busyCount_;
}

}  // namespace qvt
