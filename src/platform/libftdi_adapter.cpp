#include "platform/libftdi_adapter.h"

#include <ftdi.h>
#include <libusb.h>

#include <cerrno>
#include <cstdio>
#include <memory>

#include "platform/access_refused.h"

namespace qvt {
namespace {

// Waits for USB transfers: long enough for a full FIFO at the slowest sample
// rate the cable uses, short enough that a pulled adapter shows at once.
constexpr int kReadTimeoutMilliseconds = 100;
constexpr int kWriteTimeoutMilliseconds = 1000;
// The baud-rate divisor of the bit-bang clock is coarse: the rate a chip
// really runs may be a few per cent above the one asked for, so the rate
// asked for is this fraction of the one wanted.
constexpr std::int64_t kGuaranteedPercentOfPeriod = 97;

struct ContextDeleter {
    void operator()(ftdi_context* context) const { ftdi_free(context); }
};
using Context = std::unique_ptr<ftdi_context, ContextDeleter>;

struct ListDeleter {
    void operator()(ftdi_device_list* list) const { ftdi_list_free2(list); }
};
using DeviceList = std::unique_ptr<ftdi_device_list, ListDeleter>;

std::string UsbNode(libusb_device* device) {
    char node[64];
    std::snprintf(node, sizeof node, "/dev/bus/usb/%03d/%03d", libusb_get_bus_number(device),
                  libusb_get_device_address(device));
    return node;
}

std::string BusPathOf(libusb_device* device) {
    return FtdiBusPath(libusb_get_bus_number(device), libusb_get_device_address(device));
}

// "usb:1:4" and "usb:001:004" alike.
bool SameBusPath(const std::string& named, libusb_device* device) {
    int bus = 0;
    int address = 0;
    char end = 0;
    if (std::sscanf(named.c_str(), "usb:%d:%d%c", &bus, &address, &end) != 2)
        return false;
    return bus == libusb_get_bus_number(device) && address == libusb_get_device_address(device);
}

struct Strings {
    bool read = false;
    std::string description;
    std::string serial;
};

Strings StringsOf(ftdi_context* context, libusb_device* device) {
    char manufacturer[128] = {};
    char description[128] = {};
    char serial[128] = {};
    Strings strings;
    strings.read =
        ftdi_usb_get_strings(context, device, manufacturer, sizeof manufacturer, description,
                             sizeof description, serial, sizeof serial) == 0;
    strings.description = description;
    strings.serial = serial;
    return strings;
}

// Full-speed chips keep 128 bytes each way (the R type receives 256); the
// high-speed ones far more.
std::size_t FifoOf(ftdi_chip_type type) {
    switch (type) {
        case TYPE_232H:
            return 1024;
        case TYPE_2232H:
            return 4096;
        case TYPE_4232H:
            return 2048;
        case TYPE_230X:
            return 512;
        default:
            return 128;
    }
}

bool HighSpeed(ftdi_chip_type type) {
    return type == TYPE_232H || type == TYPE_2232H || type == TYPE_4232H;
}

class LibftdiAdapter : public FtdiAdapter {
  public:
    explicit LibftdiAdapter(Context context) : context_(std::move(context)) {}
    ~LibftdiAdapter() override { Close(); }

    std::size_t fifoSize() const override { return FifoOf(context_->type); }
    // One frame of 1 ms on a full-speed bus with the latency timer at 1 ms,
    // one microframe of 125 us on a high-speed one.
    int roundTripMicroseconds() const override { return HighSpeed(context_->type) ? 125 : 1000; }

    bool SetSamplePeriod(std::int64_t nanoseconds) override {
        if (nanoseconds <= 0)
            return false;
        // Asked a little slower than the period, so that even a chip running
        // fast never makes a sample shorter. libftdi scales the rate for the
        // bit-bang clock itself.
        const auto rate =
            static_cast<int>(1'000'000'000LL * kGuaranteedPercentOfPeriod / 100 / nanoseconds);
        if (!Check(ftdi_set_baudrate(context_.get(), rate)))
            return false;
        period_ = nanoseconds;
        return true;
    }
    std::int64_t samplePeriodNanoseconds() const override { return period_; }

    bool SetOutputPins(std::uint8_t outputs) override {
        return Check(ftdi_set_bitmode(context_.get(), outputs, BITMODE_SYNCBB));
    }

    bool Write(const std::uint8_t* samples, std::size_t count) override {
        const int written = ftdi_write_data(context_.get(), samples, static_cast<int>(count));
        if (written < 0)
            return Check(written);
        if (static_cast<std::size_t>(written) != count)
            return Fail(kFtdiUnpluggedText);
        return true;
    }

    int Read(std::uint8_t* echoes, std::size_t capacity) override {
        const int got = ftdi_read_data(context_.get(), echoes, static_cast<int>(capacity));
        if (got < 0) {
            Check(got);
            return -1;
        }
        return got;
    }

    bool Purge() override { return Check(ftdi_tcioflush(context_.get())); }

    void Close() override {
        if (!open_)
            return;
        open_ = false;
        ftdi_usb_close(context_.get());
    }

    const std::string& lastError() const override { return error_; }

  private:
    bool Check(int result) {
        if (result >= 0)
            return true;
        // After a failed transfer libusb's error says little to a user; what
        // it nearly always means is that the adapter is gone.
        return Fail(std::string(kFtdiUnpluggedText) + " (" + ftdi_get_error_string(context_.get()) +
                    ")");
    }
    bool Fail(std::string text) {
        error_ = std::move(text);
        return false;
    }

    Context context_;
    bool open_ = true;
    std::int64_t period_ = 1000;
    std::string error_;
};

}  // namespace

std::vector<FoundCable> ListFtdiAdapters() {
    std::vector<FoundCable> found;
    Context context(ftdi_new());
    if (!context)
        return found;
    ftdi_device_list* raw = nullptr;
    // Vendor and product 0: every FTDI product id libftdi knows.
    if (ftdi_usb_find_all(context.get(), &raw, 0, 0) < 0)
        return found;
    const DeviceList list(raw);
    for (ftdi_device_list* entry = raw; entry; entry = entry->next) {
        FoundCable cable;
        cable.type = CableType::kFtdi;
        const Strings strings = StringsOf(context.get(), entry->dev);
        char place[32];
        std::snprintf(place, sizeof place, "Bus %03d Gerät %03d", libusb_get_bus_number(entry->dev),
                      libusb_get_device_address(entry->dev));
        cable.device = strings.serial.empty() ? BusPathOf(entry->dev) : strings.serial;
        cable.description =
            (strings.description.empty() ? std::string("FTDI") : strings.description) + ", " +
            place;
        if (!strings.read && ReadWriteAccessError(UsbNode(entry->dev)) != 0)
            cable.problem = FtdiAccessRefusedText(cable.device, UsbNode(entry->dev));
        found.push_back(std::move(cable));
    }
    return found;
}

FtdiOpenResult OpenFtdiAdapter(const std::string& device) {
    FtdiOpenResult result;
    Context context(ftdi_new());
    if (!context) {
        result.problem = FtdiNotFoundText(device);
        return result;
    }
    ftdi_device_list* raw = nullptr;
    if (ftdi_usb_find_all(context.get(), &raw, 0, 0) <= 0) {
        if (raw)
            ftdi_list_free2(raw);
        result.problem = FtdiNotFoundText(device);
        return result;
    }
    const DeviceList list(raw);
    libusb_device* chosen = nullptr;
    for (ftdi_device_list* entry = raw; entry && !chosen; entry = entry->next) {
        if (device.empty() || SameBusPath(device, entry->dev) ||
            StringsOf(context.get(), entry->dev).serial == device)
            chosen = entry->dev;
    }
    if (!chosen) {
        result.problem = FtdiNotFoundText(device);
        return result;
    }
    // libusb says little about a refused open; the device file says who may.
    const std::string node = UsbNode(chosen);
    const int access = ReadWriteAccessError(node);
    if (access == EACCES || access == EPERM) {
        result.problem = FtdiAccessRefusedText(device, node);
        return result;
    }
    const int opened = ftdi_usb_open_dev(context.get(), chosen);
    if (opened == -5) {
        // The interface is claimed: another process holds the adapter.
        result.problem = FtdiBusyText(device.empty() ? BusPathOf(chosen) : device);
        return result;
    }
    if (opened == -8) {
        result.problem = FtdiAccessRefusedText(device, node);
        return result;
    }
    if (opened < 0) {
        result.problem =
            FtdiNotFoundText(device) + " (" + ftdi_get_error_string(context.get()) + ")";
        return result;
    }
    context->usb_read_timeout = kReadTimeoutMilliseconds;
    context->usb_write_timeout = kWriteTimeoutMilliseconds;
    // Every pin an input first: whatever the adapter drove before (its UART
    // lines) is let go, and nothing is driven until the cable has put its
    // levels into the output latch.
    if (ftdi_set_latency_timer(context.get(), 1) < 0 ||
        ftdi_set_bitmode(context.get(), 0x00, BITMODE_SYNCBB) < 0 ||
        ftdi_tcioflush(context.get()) < 0) {
        result.problem =
            std::string(kFtdiUnpluggedText) + " (" + ftdi_get_error_string(context.get()) + ")";
        ftdi_usb_close(context.get());
        return result;
    }
    result.adapter = std::make_unique<LibftdiAdapter>(std::move(context));
    return result;
}

}  // namespace qvt
