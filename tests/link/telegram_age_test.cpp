#include "link/telegram_age.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace qvt {
namespace {

using std::chrono::milliseconds;

struct Case {
    const char* name;
    bool received;                 // a first telegram
    std::vector<int> intervalsMs;  // between it and the telegrams after it
    int askedMsAfterLast;
    std::optional<std::int64_t> silentSeconds;
};

TEST(TelegramAge, SilenceCountsOnlyWellBeyondTheUsualInterval) {
    const Case cases[] = {
        {"nothing received", false, {}, 60000, std::nullopt},
        {"one telegram: no interval yet", true, {}, 60000, std::nullopt},
        {"1 s cycle, under the 5 s floor", true, {1000, 1000, 1000}, 4999, std::nullopt},
        {"1 s cycle, at the 5 s floor", true, {1000, 1000, 1000}, 5000, 5},
        {"10 s cycle, under 2.5 times", true, {10000, 10000}, 24999, std::nullopt},
        {"10 s cycle, at 2.5 times", true, {10000, 10000}, 25000, 25},
        {"one long gap does not move the median", true, {10000, 10000, 60000}, 25000, 25},
        {"old intervals forgotten",
         true,
         {60000, 60000, 60000, 60000, 60000, 60000, 60000, 60000, 60000, 60000, 1000, 1000, 1000,
          1000, 1000, 1000, 1000, 1000, 1000},
         5000,
         5},
        {"whole seconds, rounded down", true, {1000}, 12999, 12},
    };
    for (const Case& c : cases) {
        TelegramAge age;
        TelegramAge::TimePoint at{};
        if (c.received)
            age.Received(at);
        for (int interval : c.intervalsMs) age.Received(at += milliseconds(interval));
        EXPECT_EQ(age.SilentSeconds(at + milliseconds(c.askedMsAfterLast)), c.silentSeconds)
            << c.name;
    }
}

TEST(TelegramAge, AnotherDeviceIsNotOverdue) {
    TelegramAge age;
    const TelegramAge::TimePoint start{};
    age.Received(start);
    age.Received(start + milliseconds(500));
    ASSERT_EQ(age.SilentSeconds(start + milliseconds(30000)), 29);
    age.Forget();
    EXPECT_EQ(age.SilentSeconds(start + milliseconds(30000)), std::nullopt);
}

}  // namespace
}  // namespace qvt
