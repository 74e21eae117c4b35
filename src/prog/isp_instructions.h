#pragma once

#include <cstdint>

#include "prog/memory_geometry.h"

namespace qvt {

class IspLink;

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

// Chip 8253: byte reads and page instructions.
std::uint8_t ReadCode8253(IspLink& link, std::uint16_t address);
std::uint8_t ReadData8253(IspLink& link, std::uint16_t address);
void WritePage8253(IspLink& link, const MemoryGeometry& memory, std::uint16_t address,
                   const std::uint8_t* bytes);
void ReadPage8253(IspLink& link, const MemoryGeometry& memory, std::uint16_t address,
                  std::uint8_t* bytes);
void ChipErase8253(IspLink& link);
void WriteLockBits8253(IspLink& link);

}  // namespace qvt
