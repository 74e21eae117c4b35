#include "platform/libgpiod_lines.h"

#include <gpiod.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>
#include <optional>

#include "platform/access_refused.h"
#include "platform/error_reason.h"

namespace qvt {
namespace {

// Whoever may be given the GPIO devices: the group Raspberry Pi OS and the
// udev rules of most boards use.
constexpr const char* kGpioGroup = "gpio";

bool AllDigits(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(),
                                        [](unsigned char c) { return std::isdigit(c) != 0; });
}

// The device file a chip name stands for: "/dev/gpiochip0" for "gpiochip0",
// "0" or the path itself; nothing for what may be a label.
std::optional<std::string> ChipPath(const std::string& device, const std::string& devRoot) {
    if (!device.empty() && device.front() == '/')
        return device;
    if (AllDigits(device))
        return devRoot + "/gpiochip" + device;
    if (device.rfind("gpiochip", 0) == 0)
        return devRoot + "/" + device;
    return std::nullopt;
}

// Why a chip's device did not open, errno as the open left it.
std::string OpenProblem(const std::string& path, int error) {
    std::string refused = AccessRefusedLine(path, error, kGpioGroup);
    if (!refused.empty()) {
        const std::string prefix = "qvt410: ";
        if (refused.rfind(prefix, 0) == 0)
            refused.erase(0, prefix.size());
        return refused;
    }
    if (error == ENOENT || error == ENOTDIR)
        return "GPIO-Baustein " + path + " nicht gefunden";
    // libgpiod checks that the file is a GPIO character device.
    if (error == ENODEV || error == ENOTTY)
        return path + " ist kein GPIO-Baustein";
    return "GPIO-Baustein " + path + " lässt sich nicht öffnen: " + ErrorReason(error);
}

std::vector<std::string> ChipPaths(const std::string& devRoot) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(devRoot, error)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("gpiochip", 0) == 0 && AllDigits(name.substr(8)))
            names.push_back(name);
    }
    // gpiochip2 before gpiochip10.
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return a.size() != b.size() ? a.size() < b.size() : a < b;
    });
    for (auto& name : names) name = devRoot + "/" + name;
    return names;
}

class LibgpiodLines : public GpioLines {
  public:
    explicit LibgpiodLines(gpiod_chip* chip) : chip_(chip), name_(gpiod_chip_name(chip)) {
        gpiod_line_bulk_init(&outputs_);
    }
    ~LibgpiodLines() override {
        Release();
        gpiod_chip_close(chip_);
    }
    LibgpiodLines(const LibgpiodLines&) = delete;
    LibgpiodLines& operator=(const LibgpiodLines&) = delete;

    bool Request(const std::vector<int>& outputs, std::uint32_t initialLevels, int input,
                 const std::string& consumer) override {
        Release();
        if (outputs.size() > 32 || outputs.size() > GPIOD_LINE_BULK_MAX_LINES)
            return Fail("zu viele GPIO-Leitungen");
        gpiod_line_bulk bulk;
        gpiod_line_bulk_init(&bulk);
        std::vector<int> values;
        for (std::size_t i = 0; i < outputs.size(); ++i) {
            gpiod_line* line = Line(outputs[i]);
            if (!line)
                return false;
            gpiod_line_bulk_add(&bulk, line);
            values.push_back((initialLevels >> i) & 1);
        }
        gpiod_line* in = Line(input);
        if (!in)
            return false;
        if (gpiod_line_request_bulk_output(&bulk, consumer.c_str(), values.data()) != 0)
            return RequestFailed(outputs, input, errno);
        if (gpiod_line_request_input(in, consumer.c_str()) != 0) {
            const int error = errno;
            gpiod_line_release_bulk(&bulk);
            return RequestFailed(outputs, input, error);
        }
        outputs_ = bulk;
        input_ = in;
        error_.clear();
        return true;
    }

    bool SetOutputs(std::uint32_t levels) override {
        if (!input_)
            return Fail("GPIO-Leitungen von " + name_ + " nicht angefordert");
        int values[GPIOD_LINE_BULK_MAX_LINES] = {};
        for (unsigned i = 0; i < gpiod_line_bulk_num_lines(&outputs_); ++i)
            values[i] = static_cast<int>((levels >> i) & 1);
        if (gpiod_line_set_value_bulk(&outputs_, values) != 0)
            return Lost(errno);
        return true;
    }

    std::optional<bool> ReadInput() override {
        if (!input_) {
            Fail("GPIO-Leitungen von " + name_ + " nicht angefordert");
            return std::nullopt;
        }
        const int value = gpiod_line_get_value(input_);
        if (value < 0) {
            Lost(errno);
            return std::nullopt;
        }
        return value != 0;
    }

    void Release() override {
        if (!input_)
            return;
        // One request, one file descriptor: the kernel frees its lines
        // together when the last of them is released.
        gpiod_line_release_bulk(&outputs_);
        gpiod_line_release(input_);
        gpiod_line_bulk_init(&outputs_);
        input_ = nullptr;
    }

    const std::string& lastError() const override { return error_; }

  private:
    bool Fail(std::string text) {
        error_ = std::move(text);
        return false;
    }

    bool Lost(int error) {
        return Fail("GPIO-Leitungen von " + name_ +
                    " nicht mehr erreichbar: " + ErrorReason(error));
    }

    gpiod_line* Line(int offset) {
        const unsigned count = gpiod_chip_num_lines(chip_);
        gpiod_line* line = offset >= 0 && static_cast<unsigned>(offset) < count
                               ? gpiod_chip_get_line(chip_, static_cast<unsigned>(offset))
                               : nullptr;
        if (!line)
            Fail(name_ + " hat keine Leitung " + std::to_string(offset) + " (nur " +
                 std::to_string(count) + " Leitungen)");
        return line;
    }

    // Names the line that another user holds, and that user when the kernel
    // tells it.
    bool RequestFailed(const std::vector<int>& outputs, int input, int error) {
        std::vector<int> all = outputs;
        all.push_back(input);
        for (int offset : all) {
            gpiod_line* line = gpiod_chip_get_line(chip_, static_cast<unsigned>(offset));
            if (!line || gpiod_line_update(line) != 0 || !gpiod_line_is_used(line))
                continue;
            const char* user = gpiod_line_consumer(line);
            return Fail("GPIO-Leitung " + std::to_string(offset) + " von " + name_ + " ist belegt" +
                        (user && *user ? std::string(" (von „") + user + "“)" : std::string()));
        }
        if (error == EBUSY)
            return Fail("GPIO-Leitungen von " + name_ + " sind belegt");
        return Fail("GPIO-Leitungen von " + name_ +
                    " lassen sich nicht anfordern: " + ErrorReason(error));
    }

    gpiod_chip* chip_;
    std::string name_;
    gpiod_line_bulk outputs_;
    gpiod_line* input_ = nullptr;
    std::string error_;
};

struct OpenedChip {
    gpiod_chip* chip = nullptr;
    std::string problem;
};

OpenedChip OpenPath(const std::string& path) {
    gpiod_chip* chip = gpiod_chip_open(path.c_str());
    if (!chip)
        return {nullptr, OpenProblem(path, errno)};
    return {chip, {}};
}

// A label names a chip only by asking each chip for it.
OpenedChip OpenLabel(const std::string& label) {
    for (const std::string& path : ChipPaths("/dev")) {
        gpiod_chip* chip = gpiod_chip_open(path.c_str());
        if (!chip)
            continue;
        if (label == gpiod_chip_label(chip))
            return {chip, {}};
        gpiod_chip_close(chip);
    }
    return {nullptr, "GPIO-Baustein „" + label + "“ nicht gefunden"};
}

}  // namespace

GpioChipOpening OpenGpioChip(const std::string& device, const std::string& sysfsRoot) {
    const std::optional<std::string> path = ChipPath(device, "/dev");
    OpenedChip opened = path ? OpenPath(*path) : OpenLabel(device);
    GpioChipOpening result;
    if (!opened.chip) {
        result.problem = opened.problem;
        return result;
    }
    result.name = gpiod_chip_name(opened.chip);
    result.lineCount = static_cast<int>(gpiod_chip_num_lines(opened.chip));
    if (const auto usb = GpioChipUsbDevice(result.name, sysfsRoot)) {
        gpiod_chip_close(opened.chip);
        result.problem = GpioUsbBridgeProblem(result.name, *usb);
        return result;
    }
    result.lines = std::make_unique<LibgpiodLines>(opened.chip);
    return result;
}

std::vector<FoundCable> ListGpioChips(const std::string& devRoot, const std::string& sysfsRoot) {
    std::vector<FoundCable> found;
    for (const std::string& path : ChipPaths(devRoot)) {
        FoundCable cable;
        cable.type = CableType::kGpio;
        cable.device = std::filesystem::path(path).filename().string();
        gpiod_chip* chip = gpiod_chip_open(path.c_str());
        if (!chip) {
            cable.problem = OpenProblem(path, errno);
        } else {
            cable.description = std::string(gpiod_chip_label(chip)) + ", " +
                                std::to_string(gpiod_chip_num_lines(chip)) + " Leitungen";
            gpiod_chip_close(chip);
        }
        if (const auto usb = GpioChipUsbDevice(cable.device, sysfsRoot))
            cable.problem = GpioUsbBridgeProblem(cable.device, *usb);
        found.push_back(std::move(cable));
    }
    return found;
}

}  // namespace qvt
