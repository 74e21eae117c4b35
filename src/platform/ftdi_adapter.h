#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace qvt {

// An opened FTDI adapter in synchronous bit-bang mode, as the programming
// cable needs it. Every byte written is one sample: the chip drives it on the
// output pins for one sample period and, just before, reads all eight pins
// into the echo byte it sends back, so echo i shows the pins as sample i-1
// left them. An adapter is opened with every pin an input; what the pins
// drive first is written before they are made outputs (the chip keeps the
// written byte in its output latch), so no line shows a level nobody chose.
class FtdiAdapter {
  public:
    virtual ~FtdiAdapter() = default;

    // Bytes that may be in flight at once: the smaller of the chip's transmit
    // and receive FIFO, so that neither overflows.
    virtual std::size_t fifoSize() const = 0;
    // A USB round trip (write, echoes back) in microseconds, as the bus of
    // this chip type typically takes it.
    virtual int roundTripMicroseconds() const = 0;

    // Asks for a sample period; false when the chip cannot be set.
    virtual bool SetSamplePeriod(std::int64_t nanoseconds) = 0;
    // The shortest period a sample can last after SetSamplePeriod: what the
    // cable counts waits in, so that a wait is never shorter than asked.
    virtual std::int64_t samplePeriodNanoseconds() const = 0;

    // Makes the pins of the mask outputs, all others inputs; synchronous
    // bit-bang mode stays on. False on a USB error.
    virtual bool SetOutputPins(std::uint8_t outputs) = 0;
    // Queues samples; false on a USB error or when more than fifoSize()
    // bytes would be in flight.
    virtual bool Write(const std::uint8_t* samples, std::size_t count) = 0;
    // Takes what echoes have arrived, at most capacity: their count, 0 when
    // none have arrived yet, -1 on a USB error.
    virtual int Read(std::uint8_t* echoes, std::size_t capacity) = 0;
    // Drops echoes and samples still in the chip's buffers.
    virtual bool Purge() = 0;
    // Lets go of the adapter; its pins stay as they are (inputs, after the
    // cable released them), the bit-bang mode stays so no UART line moves.
    virtual void Close() = 0;

    // What the last failing call found, in German, for the user.
    virtual const std::string& lastError() const = 0;
};

// An adapter as opened: the adapter, or why there is none.
struct FtdiOpenResult {
    std::unique_ptr<FtdiAdapter> adapter;
    std::string problem;
};

// Where the package's udev rule lies that lets the logged-in user and the
// group plugdev use FTDI adapters.
inline constexpr const char* kFtdiUdevRule = "/lib/udev/rules.d/60-qvt410-ftdi.rules";
inline constexpr const char* kFtdiUsualGroup = "plugdev";

// The user's texts for an adapter that cannot be had. device is what the user
// named (serial number or "usb:BUS:DEVICE"), empty for "the first one".
std::string FtdiNotFoundText(const std::string& device);
std::string FtdiBusyText(const std::string& device);
// node is the adapter's USB device file (/dev/bus/usb/BBB/DDD), whose
// permissions say whom to ask; the text names the udev rule and the group.
std::string FtdiAccessRefusedText(const std::string& device, const std::string& node);
// An adapter that stopped answering or went away in the middle of a run.
inline constexpr const char* kFtdiUnpluggedText = "USB-Adapter getrennt";

// "usb:BUS:DEVICE" for a device on that bus at that address.
std::string FtdiBusPath(int bus, int address);

}  // namespace qvt
