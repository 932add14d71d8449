// The machine facts the program reads at start-up and for its uptime.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <optional>
#include <set>
#include <string>

#include "platform/platform.h"

namespace contract {
namespace {

TEST(ComputerName, FitsAndReportsItsLengthWithoutTerminator) {
    char buffer[256];
    std::memset(buffer, 'Z', sizeof buffer);
    std::uint32_t size = sizeof buffer;
    ASSERT_NE(platform::QueryComputerName(buffer, &size), 0);
    EXPECT_GT(size, 0u);
    EXPECT_EQ(size, std::strlen(buffer));
}

TEST(ComputerName, BufferWithoutRoomForTheTerminatorIsLeftAlone) {
    char name[256];
    std::uint32_t length = sizeof name;
    ASSERT_NE(platform::QueryComputerName(name, &length), 0);

    char buffer[256];
    std::memset(buffer, 'Z', sizeof buffer);
    std::uint32_t size = length;
    EXPECT_EQ(platform::QueryComputerName(buffer, &size), 0);
    EXPECT_EQ(size, length + 1);
    EXPECT_EQ(buffer[0], 'Z');

    size = length + 1;
    EXPECT_NE(platform::QueryComputerName(buffer, &size), 0);
    EXPECT_EQ(size, length);
    EXPECT_EQ(std::string(buffer), std::string(name));
}

TEST(OsVersion, ReportsAnNtPlatform) {
    platform::OsVersion version;
    ASSERT_TRUE(platform::QueryOsVersion(&version));
    EXPECT_EQ(version.platformId, 2u);
    EXPECT_GE(version.majorVersion, 5u);
}

TEST(Counters, HighResolutionCounterIsPresent) {
    std::int64_t frequency = 0;
    std::int64_t count = -1;
    EXPECT_NE(platform::PerformanceFrequency(&frequency), 0);
    EXPECT_GT(frequency, 0);
    EXPECT_EQ(platform::PerformanceCounter(&count), 1);
    EXPECT_GE(count, 0);
}

TEST(LocalTime, FieldsAreInRange) {
    const platform::LocalTime now = platform::LocalNow();
    EXPECT_GE(now.year, 2005);
    EXPECT_GE(now.month, 1);
    EXPECT_LE(now.month, 12);
    EXPECT_GE(now.day, 1);
    EXPECT_LE(now.day, 31);
    EXPECT_GE(now.hour, 0);
    EXPECT_LE(now.hour, 23);
    EXPECT_GE(now.minute, 0);
    EXPECT_LE(now.minute, 59);
    EXPECT_GE(now.second, 0);
    EXPECT_LE(now.second, 59);
}

TEST(UtcTime, IsTheLocalTimeLessAZoneOffset) {
    const platform::LocalTime local = platform::LocalNow();
    const std::optional<std::int64_t> utc = platform::UtcNow();
    ASSERT_TRUE(utc);
    std::int64_t localFileTime = 0;
    ASSERT_TRUE(platform::FileTimeFromSystemTime(
        {static_cast<std::uint16_t>(local.year), static_cast<std::uint16_t>(local.month), 0,
         static_cast<std::uint16_t>(local.day), static_cast<std::uint16_t>(local.hour),
         static_cast<std::uint16_t>(local.minute), static_cast<std::uint16_t>(local.second), 0},
        &localFileTime));
    // Zones lie within 14 hours of UTC, in steps of a quarter of an hour; the
    // two readings may be a few seconds apart.
    constexpr std::int64_t kSecond = 10'000'000;
    constexpr std::int64_t kQuarter = 900 * kSecond;
    const std::int64_t offset = localFileTime - *utc;
    EXPECT_LE(std::abs(offset), 14 * 3600 * kSecond + 5 * kSecond);
    const std::int64_t pastQuarter = (offset % kQuarter + kQuarter) % kQuarter;
    EXPECT_TRUE(pastQuarter <= 5 * kSecond || pastQuarter >= kQuarter - 5 * kSecond) << offset;
}

TEST(LocalTime, TwelveDistinctMonthAbbreviations) {
    std::set<std::string> names;
    for (int month = 1; month <= 12; ++month) {
        const std::string name = platform::MonthAbbreviation(month);
        EXPECT_FALSE(name.empty()) << "month " << month;
        names.insert(name);
    }
    EXPECT_EQ(names.size(), 12u);
}

}  // namespace
}  // namespace contract
