#include "core/config_file.h"

#include <gtest/gtest.h>

#include <utility>

namespace qvt {
namespace {

TEST(ConfigFile, LptBaseTable) {
    const std::pair<int, int> table[] = {{0, 0x378}, {1, 0x278}, {2, 0x378},
                                         {3, 0x278}, {4, 0x378}, {255, 0x378}};
    for (auto [index, base] : table) {
        EXPECT_EQ(LptBaseForIndex(static_cast<std::uint8_t>(index)), base) << "index " << index;
    }
}

}  // namespace
}  // namespace qvt
