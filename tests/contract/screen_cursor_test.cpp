// The primary screen's size and the cursor position the hot corners are
// judged from.
#include <gtest/gtest.h>

#include <limits>

#include "platform/platform.h"

namespace contract {
namespace {

TEST(Screen, PrimaryScreenHasAPositiveSize) {
    EXPECT_GT(platform::SystemMetric(platform::kSmCxScreen), 0);
    EXPECT_GT(platform::SystemMetric(platform::kSmCyScreen), 0);
}

// With one screen, every point, on it or far off it, belongs to that screen.
TEST(Screen, OneScreenIsTheMonitorOfEveryPoint) {
    const platform::ScreenRect primary{0, 0, platform::SystemMetric(platform::kSmCxScreen),
                                       platform::SystemMetric(platform::kSmCyScreen)};
    EXPECT_EQ(platform::MonitorAt(10, 10), primary);
    EXPECT_EQ(platform::MonitorAt(-5000, 100000), primary);
}

TEST(Cursor, PositionIsReported) {
    // No screen reaches these coordinates, so a position that keeps them was
    // never written.
    constexpr std::int32_t kUnwritten = std::numeric_limits<std::int32_t>::min();
    std::int32_t x = kUnwritten;
    std::int32_t y = kUnwritten;
    EXPECT_NE(platform::CursorPosition(&x, &y), 0);
    EXPECT_NE(x, kUnwritten);
    EXPECT_NE(y, kUnwritten);
}

}  // namespace
}  // namespace contract
