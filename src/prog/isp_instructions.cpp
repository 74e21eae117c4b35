#include "prog/isp_instructions.h"

#include <initializer_list>

#include "prog/isp_link.h"

namespace qvt {
namespace {

// 8252 address instructions: bits 12-8 (program) or 10-8 (data) of the
// address above the operation code.
std::uint8_t CodeHigh8252(std::uint16_t address) {
    return static_cast<std::uint8_t>((address >> 8) << 3);
}
std::uint8_t DataHigh8252(std::uint16_t address) {
    return static_cast<std::uint8_t>(((address >> 8) << 3) & 0x38);
}
std::uint8_t Low(std::uint16_t address) {
    return static_cast<std::uint8_t>(address & 0xFF);
}

void Send(IspLink& link, std::initializer_list<std::uint8_t> bytes) {
    for (std::uint8_t b : bytes) link.IspSendByte(b);
}

using ReadBack = std::uint8_t (*)(IspLink&, std::uint16_t);

// Polls until the written byte reads back; 0 on success, 0xFF after 100 misses.
std::uint8_t PollWritten(IspLink& link, ReadBack read, std::uint16_t address, std::uint8_t data,
                         int pause) {
    for (int poll = 0; poll < 100; ++poll) {
        if (read(link, address) == data)
            return 0;
        link.IspDelay(pause);
    }
    return 0xFF;
}

}  // namespace

std::uint8_t EnableProgramming8252(IspLink& link) {
    link.sckDelay = 1;
    std::uint8_t answer = 0;
    while (link.sckDelay < 33) {
        link.WriteDataRegister(kIspRst);
        link.IspDelay(3000);
        Send(link, {0xAC, 0x53});
        answer = link.IspReadByte();
        if (answer != kEnableAnswer) {
            link.WriteDataRegister(0x00);  // reset pulse, then once more
            link.IspDelay(3000);
            link.WriteDataRegister(kIspRst);
            link.IspDelay(3000);
            Send(link, {0xAC, 0x53});
            answer = link.IspReadByte();
        }
        if (answer == kEnableAnswer)
            break;
        ++link.sckDelay;
    }
    link.IspDelay(1000);
    return answer;
}

std::uint8_t EnableProgramming8253(IspLink& link) {
    link.sckDelay = 1;
    std::uint8_t answer = 0;
    while (link.sckDelay < 20) {
        link.WriteDataRegister(kIspRst);
        link.IspDelay(10000);
        Send(link, {0xAC, 0x53, 0x53});
        link.IspDelay(link.sckDelay);
        answer = link.IspReadByte();
        if (answer != kEnableAnswer) {
            link.WriteDataRegister(0x00);
            link.IspDelay(10000);
            link.WriteDataRegister(kIspRst);
            link.IspDelay(10000);
            Send(link, {0xAC, 0x53, 0x53});
            answer = link.IspReadByte();
        }
        if (answer == kEnableAnswer)
            break;
        ++link.sckDelay;
    }
    link.IspDelay(2000);
    return answer;
}

std::uint8_t ReadCode8252(IspLink& link, std::uint16_t address) {
    Send(link, {static_cast<std::uint8_t>(CodeHigh8252(address) + 0x01), Low(address)});
    return link.IspReadByte();
}

std::uint8_t ReadData8252(IspLink& link, std::uint16_t address) {
    Send(link, {static_cast<std::uint8_t>(DataHigh8252(address) + 0x05), Low(address)});
    return link.IspReadByte();
}

std::uint8_t WriteCode8252(IspLink& link, std::uint16_t address, std::uint8_t data) {
    Send(link, {static_cast<std::uint8_t>(CodeHigh8252(address) + 0x02), Low(address), data});
    link.IspDelay(200);
    return PollWritten(link, ReadCode8252, address, data, 10);
}

std::uint8_t WriteData8252(IspLink& link, std::uint16_t address, std::uint8_t data) {
    Send(link, {static_cast<std::uint8_t>(DataHigh8252(address) + 0x06), Low(address), data});
    link.IspDelay(250);
    return PollWritten(link, ReadData8252, address, data, 5);
}

void ChipErase8252(IspLink& link) {
    Send(link, {0xAC, 0x04, 0x00});
}
void WriteLockBits8252(IspLink& link) {
    Send(link, {0xAC, 0x3F, 0x55});
}

std::uint8_t ReadCode8253(IspLink& link, std::uint16_t address) {
    Send(link, {0x20, static_cast<std::uint8_t>((address >> 8) & 0x3F), Low(address)});
    return link.IspReadByte();
}

std::uint8_t ReadData8253(IspLink& link, std::uint16_t address) {
    Send(link, {0xA0, static_cast<std::uint8_t>((address >> 8) & 0x07), Low(address)});
    return link.IspReadByte();
}

void WritePage8253(IspLink& link, const MemoryGeometry& memory, std::uint16_t address,
                   const std::uint8_t* bytes) {
    Send(link, {memory.writePageOpcode, static_cast<std::uint8_t>((address >> 8) & memory.highMask),
                static_cast<std::uint8_t>(address & memory.lowMask)});
    for (std::uint16_t i = 0; i < memory.pageSize; ++i) link.IspSendByte(bytes[i]);
}

void ReadPage8253(IspLink& link, const MemoryGeometry& memory, std::uint16_t address,
                  std::uint8_t* bytes) {
    Send(link, {memory.readPageOpcode, static_cast<std::uint8_t>((address >> 8) & memory.highMask),
                static_cast<std::uint8_t>(address & memory.lowMask)});
    for (std::uint16_t i = 0; i < memory.pageSize; ++i) bytes[i] = link.IspReadByte();
}

void ChipErase8253(IspLink& link) {
    Send(link, {0xAC, 0x80, 0x00, 0x00});
}
void WriteLockBits8253(IspLink& link) {
    Send(link, {0xAC, 0xE0, 0x00, 0x00});
}

const IspInstructionSet& IspInstructionsFor(Chip chip) {
    static constexpr IspInstructionSet kByteInstructions{EnableProgramming8252, ReadCode8252,
                                                         ChipErase8252, WriteLockBits8252};
    static constexpr IspInstructionSet kPageInstructions{EnableProgramming8253, ReadCode8253,
                                                         ChipErase8253, WriteLockBits8253};
    return ProfileOf(chip).writesPages() ? kPageInstructions : kByteInstructions;
}

}  // namespace qvt
