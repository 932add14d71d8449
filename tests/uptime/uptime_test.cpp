#include "uptime/uptime.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "../support/sim_test.h"

namespace {

class UptimeTest : public SimTest {
  protected:
    // The high-resolution counter at `seconds` with a 10 MHz frequency.
    static void CounterAt(double seconds) {
        sim::SetPerformanceCounter(true, static_cast<std::int64_t>(seconds * 10'000'000),
                                   10'000'000);
    }
    static void TickCountOnly(std::uint32_t ms) {
        sim::SetPerformanceCounter(false, 0, 0);
        sim::SetTickCount(ms);
    }
};

TEST_F(UptimeTest, WorkedExamples) {
    const struct {
        double seconds;
        const char* text;
    } examples[] = {
        {0, "0 days, 0:00:00"},
        {59, "0 days, 0:00:59"},
        {59.5, "0 days, 0:01:00"},
        {60.5, "0 days, 0:01:00"},
        {3600, "0 days, 1:00:00"},
        {86399, "0 days, 23:59:59"},
        {86400, "1 day, 0:00:00"},
        {90061, "1 day, 1:01:01"},
        {172800, "2 days, 0:00:00"},
        {273906, "3 days, 4:05:06"},
        {8640000, "100 days, 0:00:00"},
        {32707, "0 days, 9:05:07"},
        // A half second that rounds over an hour and over a day.
        {3599.5, "0 days, 1:00:00"},
        {86399.5, "1 day, 0:00:00"},
    };
    for (const auto& example : examples) {
        CounterAt(example.seconds);
        EXPECT_EQ(GetUptimeString(), example.text) << example.seconds << " s";
    }
}

TEST_F(UptimeTest, HighResolutionPathKeepsFractions) {
    sim::SetPerformanceCounter(true, 123456789, 1000);
    EXPECT_EQ(GetUptimeSeconds().raw(), 1234567890);
}

TEST_F(UptimeTest, UnmeasurableHighResolutionCounterGivesTheSentinel) {
    sim::SetPerformanceCounter(true, 5'000'000, 0);  // a frequency of 0
    EXPECT_EQ(GetUptimeSeconds(), kUptimeUnknown);
    EXPECT_EQ(GetUptimeString(), "uptime query failed");

    sim::SetPerformanceCounter(true, INT64_MAX, 1);  // too large for Currency
    EXPECT_EQ(GetUptimeSeconds(), kUptimeUnknown);

    sim::SetPerformanceCounter(true, -10'000'000, 10'000'000);  // reads negative
    EXPECT_EQ(GetUptimeSeconds(), kUptimeUnknown);
}

TEST_F(UptimeTest, TickCountFallbackIsWholeSecondsReadAsSigned) {
    TickCountOnly(59999);
    EXPECT_EQ(GetUptimeSeconds(), Currency::FromInt(59));
    TickCountOnly(2147483647u);
    EXPECT_EQ(GetUptimeString(), "24 days, 20:31:23");
    // From 2^31 ms the count reads negative: unmeasurable.
    TickCountOnly(2147483648u);
    EXPECT_EQ(GetUptimeString(), "uptime query failed");
    TickCountOnly(4294966296u);  // reads as -1000
    EXPECT_EQ(GetUptimeString(), "uptime query failed");
    // -999 .. -1 divide to 0 seconds, not to the sentinel.
    TickCountOnly(4294966297u);
    EXPECT_EQ(GetUptimeString(), "0 days, 0:00:00");
    TickCountOnly(4294967295u);
    EXPECT_EQ(GetUptimeString(), "0 days, 0:00:00");
    // After the wrap at 2^32 ms it counts up from zero again.
    TickCountOnly(1500);
    EXPECT_EQ(GetUptimeString(), "0 days, 0:00:01");
}

TEST_F(UptimeTest, UptimeBeyondSigned32BitSecondsIsReportedNotCrashed) {
    CounterAt(2147483647.0);
    EXPECT_EQ(GetUptimeString(), "24855 days, 3:14:07");
    CounterAt(2147483648.0);
    EXPECT_EQ(GetUptimeString(), "failed to calculate uptime: Overflow");
    sim::SetPerformanceCounter(true, 90'000'000'000'000, 1);
    EXPECT_EQ(GetUptimeString(), "failed to calculate uptime: Overflow");
}

}  // namespace
