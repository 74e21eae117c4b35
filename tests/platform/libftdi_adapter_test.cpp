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

}  // namespace
}  // namespace qvt
