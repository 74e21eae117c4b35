#include "prog/isp_instructions.h"

#include <array>
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

std::uint8_t Flushed(IspLink& link, IspLink::PendingByte pending) {
    link.Flush();
    return link.ResultOf(pending);
}

IspLink::PendingByte QueueReadCode8252(IspLink& link, std::uint16_t address) {
    Send(link, {static_cast<std::uint8_t>(CodeHigh8252(address) + 0x01), Low(address)});
    return link.QueueReadByte();
}

IspLink::PendingByte QueueReadData8252(IspLink& link, std::uint16_t address) {
    Send(link, {static_cast<std::uint8_t>(DataHigh8252(address) + 0x05), Low(address)});
    return link.QueueReadByte();
}

void SendWriteCode8252(IspLink& link, std::uint16_t address, std::uint8_t data) {
    Send(link, {static_cast<std::uint8_t>(CodeHigh8252(address) + 0x02), Low(address), data});
    link.IspDelay(200);
}

void SendWriteData8252(IspLink& link, std::uint16_t address, std::uint8_t data) {
    Send(link, {static_cast<std::uint8_t>(DataHigh8252(address) + 0x06), Low(address), data});
    link.IspDelay(250);
}

constexpr int kWritePolls = 100;

}  // namespace

std::uint8_t EnableProgramming8252(IspLink& link) {
    link.sckDelay = 1;
    std::uint8_t answer = 0;
    while (link.sckDelay < 33) {
        link.SetLines(kIspRst);
        link.IspDelay(3000);
        Send(link, {0xAC, 0x53});
        answer = link.IspReadByte();
        if (answer != kEnableAnswer) {
            link.SetLines(0x00);  // reset pulse, then once more
            link.IspDelay(3000);
            link.SetLines(kIspRst);
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
        link.SetLines(kIspRst);
        link.IspDelay(10000);
        Send(link, {0xAC, 0x53, 0x53});
        link.IspDelay(link.sckDelay);
        answer = link.IspReadByte();
        if (answer != kEnableAnswer) {
            link.SetLines(0x00);
            link.IspDelay(10000);
            link.SetLines(kIspRst);
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
    return Flushed(link, QueueReadCode8252(link, address));
}

std::uint8_t ReadData8252(IspLink& link, std::uint16_t address) {
    return Flushed(link, QueueReadData8252(link, address));
}

const ByteWrite8252& ByteWriteCode8252() {
    static constexpr ByteWrite8252 kWrite{SendWriteCode8252, QueueReadCode8252, ReadCode8252, 10};
    return kWrite;
}

const ByteWrite8252& ByteWriteData8252() {
    static constexpr ByteWrite8252 kWrite{SendWriteData8252, QueueReadData8252, ReadData8252, 5};
    return kWrite;
}

// Polls until the written byte reads back, pausing between polls.
std::uint8_t PollWritten8252(IspLink& link, const ByteWrite8252& write, std::uint16_t address,
                             std::uint8_t data, int firstPoll) {
    for (int poll = firstPoll; poll < kWritePolls; ++poll) {
        if (write.readBack(link, address) == data)
            return 0;
        link.IspDelay(write.pollPause);
    }
    return 0xFF;
}

std::uint8_t WriteCode8252(IspLink& link, std::uint16_t address, std::uint8_t data) {
    SendWriteCode8252(link, address, data);
    return PollWritten8252(link, ByteWriteCode8252(), address, data, 0);
}

std::uint8_t WriteData8252(IspLink& link, std::uint16_t address, std::uint8_t data) {
    SendWriteData8252(link, address, data);
    return PollWritten8252(link, ByteWriteData8252(), address, data, 0);
}

void ChipErase8252(IspLink& link) {
    Send(link, {0xAC, 0x04, 0x00});
}
void WriteLockBits8252(IspLink& link) {
    Send(link, {0xAC, 0x3F, 0x55});
}

IspLink::PendingByte QueueReadCode8253(IspLink& link, std::uint16_t address) {
    Send(link, {0x20, static_cast<std::uint8_t>((address >> 8) & 0x3F), Low(address)});
    return link.QueueReadByte();
}

IspLink::PendingByte QueueReadData8253(IspLink& link, std::uint16_t address) {
    Send(link, {0xA0, static_cast<std::uint8_t>((address >> 8) & 0x07), Low(address)});
    return link.QueueReadByte();
}

std::uint8_t ReadCode8253(IspLink& link, std::uint16_t address) {
    return Flushed(link, QueueReadCode8253(link, address));
}

std::uint8_t ReadData8253(IspLink& link, std::uint16_t address) {
    return Flushed(link, QueueReadData8253(link, address));
}

void WritePage8253(IspLink& link, const MemoryGeometry& memory, std::uint16_t address,
                   const std::uint8_t* bytes) {
    Send(link, {memory.writePageOpcode, static_cast<std::uint8_t>((address >> 8) & memory.highMask),
                static_cast<std::uint8_t>(address & memory.lowMask)});
    for (std::uint16_t i = 0; i < memory.pageSize; ++i) link.IspSendByte(bytes[i]);
}

void QueueReadPage8253(IspLink& link, const MemoryGeometry& memory, std::uint16_t address,
                       IspLink::PendingByte* bytes) {
    Send(link, {memory.readPageOpcode, static_cast<std::uint8_t>((address >> 8) & memory.highMask),
                static_cast<std::uint8_t>(address & memory.lowMask)});
    for (std::uint16_t i = 0; i < memory.pageSize; ++i) bytes[i] = link.QueueReadByte();
}

void ReadPage8253(IspLink& link, const MemoryGeometry& memory, std::uint16_t address,
                  std::uint8_t* bytes) {
    std::array<IspLink::PendingByte, 64> pending{};
    QueueReadPage8253(link, memory, address, pending.data());
    link.Flush();
    for (std::uint16_t i = 0; i < memory.pageSize; ++i) bytes[i] = link.ResultOf(pending[i]);
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
