// The simulated clocks: how AdvanceTime moves them and what Reset restores.
#include <gtest/gtest.h>

#include "platform/platform.h"
#include "platform/sim/sim.h"

namespace {

class SimClock : public ::testing::Test {
  protected:
    void SetUp() override { sim::Reset(); }
};

bool SameTime(const platform::LocalTime& a, const platform::LocalTime& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour &&
           a.minute == b.minute && a.second == b.second;
}

TEST_F(SimClock, TickCountWrapsLikeGetTickCount) {
    sim::SetTickCount(0xFFFFFF00u);
    sim::AdvanceTime(0x200);
    EXPECT_EQ(platform::TickCount(), 0x100u);
}

TEST_F(SimClock, CounterAdvancesByFrequencyWithoutRoundingDrift) {
    // 3.579545 MHz, the ACPI timer rate: one millisecond is not a whole count.
    sim::SetPerformanceCounter(true, 1000, 3'579'545);
    for (int i = 0; i < 1000; ++i) {
        sim::AdvanceTime(1);
    }
    std::int64_t count = 0;
    ASSERT_EQ(platform::PerformanceCounter(&count), 1);
    EXPECT_EQ(count, 1000 + 3'579'545);
}

TEST_F(SimClock, MissingCounterFailsBothQueries) {
    sim::SetPerformanceCounter(false, 5, 10'000'000);
    std::int64_t count = -1;
    std::int64_t frequency = -1;
    EXPECT_EQ(platform::PerformanceCounter(&count), 0);
    EXPECT_EQ(platform::PerformanceFrequency(&frequency), 0);
    EXPECT_EQ(frequency, 0);
}

TEST_F(SimClock, LocalTimeRollsOverTheYear) {
    sim::SetLocalTime({2005, 12, 31, 23, 59, 59});
    sim::AdvanceTime(999);
    EXPECT_TRUE(SameTime(platform::LocalNow(), {2005, 12, 31, 23, 59, 59}));
    sim::AdvanceTime(1);
    EXPECT_TRUE(SameTime(platform::LocalNow(), {2006, 1, 1, 0, 0, 0}));
}

TEST_F(SimClock, LocalTimeKnowsLeapYears) {
    sim::SetLocalTime({2008, 2, 28, 12, 0, 0});
    sim::AdvanceTime(24 * 60 * 60 * 1000);
    EXPECT_TRUE(SameTime(platform::LocalNow(), {2008, 2, 29, 12, 0, 0}));
    sim::AdvanceTime(24 * 60 * 60 * 1000);
    EXPECT_TRUE(SameTime(platform::LocalNow(), {2008, 3, 1, 12, 0, 0}));
}

TEST_F(SimClock, ResetRestoresTheDocumentedClocks) {
    sim::SetTickCount(12345);
    sim::SetPerformanceCounter(false, 1, 2);
    sim::SetLocalTime({2010, 1, 2, 3, 4, 5});
    sim::SetMonthAbbreviations(
        {"jan", "fév", "mar", "avr", "mai", "jun", "jul", "aoû", "sep", "oct", "nov", "déc"});
    EXPECT_EQ(platform::MonthAbbreviation(2), "fév");
    sim::AdvanceTime(5000);

    sim::Reset();
    EXPECT_EQ(platform::TickCount(), 0u);
    std::int64_t count = -1;
    std::int64_t frequency = 0;
    EXPECT_EQ(platform::PerformanceCounter(&count), 1);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(platform::PerformanceFrequency(&frequency), 1);
    EXPECT_EQ(frequency, 10'000'000);
    EXPECT_TRUE(SameTime(platform::LocalNow(), {2005, 12, 6, 8, 4, 9}));
    EXPECT_EQ(platform::MonthAbbreviation(1), "Jan");
    EXPECT_EQ(platform::MonthAbbreviation(12), "Dec");
}

}  // namespace
