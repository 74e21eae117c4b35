#include "platform/libftdi_adapter.h"

#include <gtest/gtest.h>

namespace qvt {
namespace {

// Through the real libftdi and libusb: an adapter that is not there (no
// such serial number on any machine; on this one no USB at all) gives the
// user's text, not a crash or a libusb error code, and is not listed.
TEST(LibftdiAdapter, AnAdapterThatIsNotThereSaysSo) {
    const FtdiOpenResult opened = OpenFtdiAdapter("QVT-NO-SUCH-ADAPTER");
    EXPECT_FALSE(opened.adapter);
    EXPECT_EQ(opened.problem,
              "FTDI-Adapter QVT-NO-SUCH-ADAPTER nicht gefunden (ist er eingesteckt?)");
    for (const FoundCable& found : ListFtdiAdapters()) {
        EXPECT_EQ(found.type, CableType::kFtdi);
        EXPECT_NE(found.device, "QVT-NO-SUCH-ADAPTER");
    }
}

// A refused adapter names the device file, the group to join and the udev
// rule the package installs, as the serial and parallel ports name theirs.
TEST(LibftdiAdapter, ARefusedAdapterNamesTheRuleAndTheGroup) {
    const std::string text = FtdiAccessRefusedText("A10K2B3C", "/dev/bus/usb/003/007");
    for (const char* part : {"FTDI-Adapter A10K2B3C", "/dev/bus/usb/003/007",
                             "sudo usermod -aG plugdev", "/lib/udev/rules.d/60-qvt410-ftdi.rules"})
        EXPECT_NE(text.find(part), std::string::npos) << part << " in " << text;
    EXPECT_EQ(text.find("qvt410: "), std::string::npos) << text;
}

}  // namespace
}  // namespace qvt
