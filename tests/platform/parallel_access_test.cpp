#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <future>
#include <thread>

#include "platform/parallel_port_factory.h"
#include "platform/ppdev_port.h"

namespace qvt {
namespace {

using std::chrono::milliseconds;

enum class Ppdev { kFree, kHeld, kMissing };

// The ppdev driver as the kernel shows it. A held port behaves as PPCLAIM
// does while another process has it: the claim sleeps, interruptibly, until
// the holder lets go, here after two seconds unless the test is over first.
class PpdevStandIn {
  public:
    explicit PpdevStandIn(Ppdev state) : state_(state) {
        EXPECT_EQ(pipe(fds_), 0);
        releaser_ = std::thread([this, over = testOver_.get_future()] {
            if (state_ != Ppdev::kFree)
                over.wait_for(std::chrono::seconds(2));
            EXPECT_EQ(write(fds_[1], "x", 1), 1);
        });
    }
    ~PpdevStandIn() {
        testOver_.set_value();
        releaser_.join();
        close(fds_[0]);
        close(fds_[1]);
    }
    PpdevAccess Access() {
        return {
            [this](const std::string&) { return state_ == Ppdev::kMissing ? -1 : dup(fds_[0]); },
            [](int fd) {
                char byte = 0;
                return read(fd, &byte, 1) == 1 ? 0 : -1;
            }};
    }

  private:
    Ppdev state_;
    int fds_[2] = {-1, -1};
    std::promise<void> testOver_;
    std::thread releaser_;
};

class GrantedDirectPort : public ParallelPort {
  public:
    void Write(std::uint16_t, std::uint8_t) override {}
    std::uint8_t Read(std::uint16_t) override { return 0; }
};

struct AccessCase {
    ParallelAccess mode;
    Ppdev ppdev;
    bool directPermitted;
    const char* description;  // of the access chosen
};

class AccessChoice : public ::testing::TestWithParam<AccessCase> {};

// auto goes on from a held or missing ppdev port to direct I/O and then to
// none, a named ppdev ends in none; none of it waits for the holder.
TEST_P(AccessChoice, FallsBackWithoutWaitingForTheHolder) {
    const AccessCase& c = GetParam();
    PpdevStandIn ppdev(c.ppdev);
    const ParallelPortOpeners openers{
        [&](std::uint16_t base, const std::string& device) -> std::unique_ptr<ParallelPort> {
            auto port =
                std::make_unique<PpdevPort>(base, device, ppdev.Access(), milliseconds(200));
            return port->Open() ? std::move(port) : nullptr;
        },
        [&](std::uint16_t) -> std::unique_ptr<ParallelPort> {
            return c.directPermitted ? std::make_unique<GrantedDirectPort>() : nullptr;
        }};
    PlatformSettings settings;
    settings.parallelAccess = c.mode;
    const auto start = std::chrono::steady_clock::now();
    const OpenedParallelPort opened = OpenSystemParallelPort(settings, 0x378, openers);
    EXPECT_LT(std::chrono::steady_clock::now() - start, milliseconds(1200));
    EXPECT_EQ(opened.description, c.description);
    EXPECT_EQ(opened.port == nullptr, opened.access == ParallelAccess::kNone);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, AccessChoice,
    ::testing::Values(AccessCase{ParallelAccess::kAuto, Ppdev::kFree, true, "ppdev /dev/parport0"},
                      AccessCase{ParallelAccess::kAuto, Ppdev::kHeld, true, "direct 0x378"},
                      AccessCase{ParallelAccess::kAuto, Ppdev::kHeld, false, "none"},
                      AccessCase{ParallelAccess::kAuto, Ppdev::kMissing, true, "direct 0x378"},
                      AccessCase{ParallelAccess::kPpdev, Ppdev::kHeld, true, "none"},
                      AccessCase{ParallelAccess::kNone, Ppdev::kFree, true, "none"}));

}  // namespace
}  // namespace qvt
