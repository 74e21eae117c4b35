#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace qvt {

// Something that hands out received bytes one at a time without waiting.
class ByteSource {
  public:
    virtual ~ByteSource() = default;
    // The next received byte (0..255), or -1 when none is waiting.
    virtual int ReadByte() = 0;
};

// A received byte with the moment it arrived at the PC.
struct ReceivedByte {
    using Time = std::chrono::system_clock::time_point;
    int value = -1;  // 0..255, or -1 when none was waiting
    Time arrived{};
};

// The PC serial port the device hangs on. Raw 8 data bits, no parity, one stop
// bit, no flow control, DTR off; used by one owner at a time. Everything runs on
// the main thread.
class SerialPort : public ByteSource {
  public:
    // Opens and configures the device for the given rate; the port's previous
    // settings are kept for Close(). False (port closed) when it cannot be opened.
    virtual bool Open(const std::string& devicePath, std::int32_t baudRate) = 0;
    // Restores the settings found at Open() and closes. Harmless when closed.
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;

    // Writes the bytes and returns once they have left the PC, so a reply
    // window started afterwards does not include the sending time. False when
    // the port is closed or the write failed; a write that failed or could not
    // finish in time drops its unsent rest, so none of it precedes the next
    // telegram.
    virtual bool Write(const std::uint8_t* data, std::size_t count) = 0;

    // The next received byte, as ReadByte(), with the time it arrived: when the
    // port first saw it, which may be long before it is read (the monitor
    // stands still under a message box while the event loop takes bytes in).
    // A port that cannot tell gives the time of reading.
    virtual ReceivedByte ReadReceivedByte() {
        const int value = ReadByte();
        return {value, arrivalClock_()};
    }
    // The clock that arrival times are read from; the system clock unless set.
    void SetArrivalClock(std::function<ReceivedByte::Time()> clock) {
        arrivalClock_ = std::move(clock);
    }

    // Waits up to the given time for further bytes; true when some arrived.
    // A closed port lets the time pass and returns false.
    virtual bool WaitForBytes(int milliseconds) = 0;

    // Called (on the main thread) whenever new bytes have arrived.
    virtual void SetBytesArrivedHandler(std::function<void()> handler) = 0;

    // Called (on the main thread) once the port has closed itself because its
    // line is gone. A port that cannot lose its line never calls it.
    virtual void SetLineLostHandler(std::function<void()> handler) { (void)handler; }

  protected:
    ReceivedByte::Time ArrivalNow() const { return arrivalClock_(); }

  private:
    std::function<ReceivedByte::Time()> arrivalClock_ = [] {
        return std::chrono::system_clock::now();
    };
};

}  // namespace qvt
