#pragma once

#include <cstdint>

#include "prog/isp_link.h"
#include "prog/memory_geometry.h"

namespace qvt {

// The instructions of the two chip types, shifted out through an IspLink.

// Programming enable with retries: each failed attempt pulses reset, tries
// once more and then slows the clock by one unit. Returns the last byte read;
// 0x53 means the chip is in programming mode.
std::uint8_t EnableProgramming8252(IspLink& link);
std::uint8_t EnableProgramming8253(IspLink& link);

inline constexpr std::uint8_t kEnableAnswer = 0x53;

// The instructions whose bytes differ between the chips, for the steps that
// run the same on either: enable, erase, lock, and a read to check the erase.
struct IspInstructionSet {
    std::uint8_t (*enableProgramming)(IspLink& link);
    std::uint8_t (*readCode)(IspLink& link, std::uint16_t address);
    void (*chipErase)(IspLink& link);
    void (*writeLockBits)(IspLink& link);
};
const IspInstructionSet& IspInstructionsFor(Chip chip);

// Chip 8252: byte instructions. The first byte carries the high address bits
// above a three-bit operation code.
std::uint8_t ReadCode8252(IspLink& link, std::uint16_t address);
std::uint8_t ReadData8252(IspLink& link, std::uint16_t address);
// 0 when the byte was written and reads back, 0xFF when it never read back.
std::uint8_t WriteCode8252(IspLink& link, std::uint16_t address, std::uint8_t data);
std::uint8_t WriteData8252(IspLink& link, std::uint16_t address, std::uint8_t data);
void ChipErase8252(IspLink& link);
void WriteLockBits8252(IspLink& link);

// One 8252 byte write split into its parts, for a batched cable that sends a
// run of writes, each with its wait and one read-back, in one go: the
// instruction and its wait, the read-back queued, and the poll loop that
// follows a first read-back that did not match yet (from its second poll on).
struct ByteWrite8252 {
    void (*sendWrite)(IspLink& link, std::uint16_t address, std::uint8_t data);
    IspLink::PendingByte (*queueReadBack)(IspLink& link, std::uint16_t address);
    std::uint8_t (*readBack)(IspLink& link, std::uint16_t address);
    int pollPause;
};
const ByteWrite8252& ByteWriteCode8252();
const ByteWrite8252& ByteWriteData8252();
// 0 when the byte reads back within the polls left after firstPoll, 0xFF when not.
std::uint8_t PollWritten8252(IspLink& link, const ByteWrite8252& write, std::uint16_t address,
                             std::uint8_t data, int firstPoll);

// Chip 8253: byte reads and page instructions.
std::uint8_t ReadCode8253(IspLink& link, std::uint16_t address);
std::uint8_t ReadData8253(IspLink& link, std::uint16_t address);
void WritePage8253(IspLink& link, const MemoryGeometry& memory, std::uint16_t address,
                   const std::uint8_t* bytes);
void ReadPage8253(IspLink& link, const MemoryGeometry& memory, std::uint16_t address,
                  std::uint8_t* bytes);
// The same reads queued: the results are there once the link has flushed.
IspLink::PendingByte QueueReadCode8253(IspLink& link, std::uint16_t address);
IspLink::PendingByte QueueReadData8253(IspLink& link, std::uint16_t address);
void QueueReadPage8253(IspLink& link, const MemoryGeometry& memory, std::uint16_t address,
                       IspLink::PendingByte* bytes);
void ChipErase8253(IspLink& link);
void WriteLockBits8253(IspLink& link);

}  // namespace qvt
