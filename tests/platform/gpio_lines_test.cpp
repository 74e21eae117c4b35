// Opening a GPIO chip for the programming cable: chips on a USB bridge
// refused (judged from a sysfs tree laid out as the kernel lays it out), and
// a chip that is not there named as such by the real libgpiod.
#include "platform/gpio_lines.h"

#include <sys/fsuid.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/libgpiod_lines.h"
#include "support/files.h"

namespace fs = std::filesystem;

namespace {

// A GPIO chip's device folder below /sys/devices and its link on the gpio bus.
void AddChip(const fs::path& sys, const std::string& name, const std::string& devicePath) {
    const fs::path device = sys / "devices" / devicePath / name;
    fs::create_directories(device);
    fs::create_directories(sys / "bus" / "gpio" / "devices");
    fs::create_symlink(fs::relative(device, sys / "bus" / "gpio" / "devices"),
                       sys / "bus" / "gpio" / "devices" / name);
}

// Device paths as real machines show them (ls -l /sys/bus/gpio/devices).
TEST(GpioLines, ChipsOnUsbAreToldFromChipsOnTheBoard) {
    ScopedWorkingDir dir;
    const fs::path sys = dir.path() / "sys";
    // Raspberry Pi 4: the SoC's pin controller, and the firmware's expander.
    AddChip(sys, "gpiochip0", "platform/soc/fe200000.gpio");
    AddChip(sys, "gpiochip1", "platform/soc/soc:firmware/soc:firmware:gpio");
    // A PC's chipset pins on PCI, with the USB host controller in the path
    // of other devices but not of this one.
    AddChip(sys, "gpiochip2", "pci0000:00/0000:00:1f.0/INT3450:00");
    // An FT232H's GPIO driver, an MCP2221 behind a hub, a CP2102N's pins.
    AddChip(sys, "gpiochip3", "pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.0");
    AddChip(sys, "gpiochip4",
            "pci0000:00/0000:00:14.0/usb3/3-1/3-1.4/3-1.4:1.2/0003:04D8:00DD.0005");
    AddChip(sys, "gpiochip5",
            "platform/fd500000.pcie/pci0000:00/0000:00:00.0/0000:01:00.0/usb1/1-1/1-1.3/1-1.3:1.0/"
            "ttyUSB0");

    const struct {
        const char* chip;
        std::optional<std::string> usb;
    } cases[] = {
        {"gpiochip0", std::nullopt}, {"gpiochip1", std::nullopt}, {"gpiochip2", std::nullopt},
        {"gpiochip3", "1-2"},        {"gpiochip4", "3-1.4"},      {"gpiochip5", "1-1.3"},
        {"gpiochip9", std::nullopt},  // not there: sysfs cannot tell
    };
    for (const auto& c : cases)
        EXPECT_EQ(qvt::GpioChipUsbDevice(c.chip, sys.string()), c.usb) << c.chip;

    const std::string problem = qvt::GpioUsbBridgeProblem("gpiochip3", "1-2");
    for (const char* word : {"gpiochip3", "USB", "1-2", "zu langsam"})
        EXPECT_NE(problem.find(word), std::string::npos) << problem;
}

// The list names every chip device in natural order, and says why one
// cannot be used: here files that only look like chips, one of them on USB,
// one that this user may not open.
TEST(GpioLines, ListNamesEachChipAndWhyItCannotBeUsed) {
    ScopedWorkingDir dir;
    const fs::path sys = dir.path() / "sys";
    const fs::path dev = dir.path() / "dev";
    fs::create_directories(dev);
    fs::permissions(dir.path(), fs::perms(0755));
    for (const char* name : {"gpiochip10", "gpiochip2", "gpiochip3", "gpiochip", "ttyUSB0"}) {
        WriteText((dev / name).string(), "");
        fs::permissions(dev / name, fs::perms(0666));
    }
    fs::permissions(dev / "gpiochip3", fs::perms(0600));
    AddChip(sys, "gpiochip2", "pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.0");

    // Root opens everything; another user's file-system identity (for this
    // thread alone) is refused like that user.
    const bool root = geteuid() == 0;
    if (root)
        setfsuid(65534);
    const std::vector<qvt::FoundCable> found = qvt::ListGpioChips(dev.string(), sys.string());
    if (root)
        setfsuid(0);
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0].device, "gpiochip2");
    EXPECT_EQ(found[0].problem, qvt::GpioUsbBridgeProblem("gpiochip2", "1-2"));
    EXPECT_EQ(found[1].device, "gpiochip3");
    const std::string refused = "Kein Zugriff auf " + (dev / "gpiochip3").string() + ": ";
    EXPECT_EQ(found[1].problem.rfind(refused, 0), 0u) << found[1].problem;
    EXPECT_NE(found[1].problem.find("Gruppe gpio"), std::string::npos) << found[1].problem;
    EXPECT_EQ(found[2].device, "gpiochip10");
    EXPECT_EQ(found[2].problem, (dev / "gpiochip10").string() + " ist kein GPIO-Baustein");
    for (const auto& cable : found) EXPECT_EQ(cable.type, qvt::CableType::kGpio);
}

// No machine that runs the tests has GPIO chips of these names: libgpiod
// itself is asked and its answer turned into the message.
TEST(GpioLines, AChipNotThereIsNamed) {
    for (const char* device : {"gpiochip97", "/dev/gpiochip98", "99"}) {
        const qvt::GpioChipOpening opening = qvt::OpenGpioChip(device);
        EXPECT_EQ(opening.lines, nullptr);
        EXPECT_NE(opening.problem.find("nicht gefunden"), std::string::npos) << opening.problem;
        EXPECT_NE(opening.problem.find("gpiochip9"), std::string::npos) << opening.problem;
    }
    const qvt::GpioChipOpening label = qvt::OpenGpioChip("pinctrl-nonexistent");
    EXPECT_EQ(label.lines, nullptr);
    EXPECT_NE(label.problem.find("„pinctrl-nonexistent“ nicht gefunden"), std::string::npos)
        << label.problem;
}

}  // namespace
