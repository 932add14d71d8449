#include <gtest/gtest.h>

#include <cstdint>

#include "../support/sim_test.h"
#include "uptime/uptime.h"
#include "uptime/uptime_format.h"

namespace {

platform::LocalTime At(int year, int month, int day, int hour, int minute, int second) {
    platform::LocalTime t;
    t.year = year;
    t.month = month;
    t.day = day;
    t.hour = hour;
    t.minute = minute;
    t.second = second;
    return t;
}

class StartTimeTest : public SimTest {
  protected:
    // The system started `uptime` seconds before `now`.
    static void Started(const platform::LocalTime& now, double uptime) {
        sim::SetLocalTime(now);
        sim::SetPerformanceCounter(true, static_cast<std::int64_t>(uptime * 10'000'000),
                                   10'000'000);
    }
};

TEST_F(StartTimeTest, WorkedExamples) {
    const struct {
        platform::LocalTime start;
        const char* text;
    } examples[] = {
        {At(2005, 12, 6, 8, 4, 9), "06-Dec-05 8:04:09 am"},
        {At(2005, 12, 6, 20, 54, 3), "06-Dec-05 8:54:03 pm"},
        {At(2005, 12, 31, 0, 15, 0), "31-Dec-05 12:15:00 am"},
        {At(2005, 12, 31, 12, 0, 0), "31-Dec-05 12:00:00 pm"},
        {At(2009, 3, 1, 11, 59, 59), "01-Mar-09 11:59:59 am"},
    };
    for (const auto& example : examples) {
        EXPECT_EQ(FormatStartTime(example.start), example.text);
    }
}

TEST_F(StartTimeTest, StartIsNowLessTheUptimeAcrossMonthAndYearEnds) {
    Started(At(2006, 1, 1, 0, 10, 0), 3 * 86400 + 600 + 1);
    EXPECT_EQ(GetStartTime(), "28-Dec-05 11:59:59 pm");
    gStartTime.clear();
    Started(At(2008, 3, 1, 1, 0, 0), 2 * 3600);  // across a leap day
    EXPECT_EQ(GetStartTime(), "29-Feb-08 11:00:00 pm");
}

TEST_F(StartTimeTest, MonthNamesComeFromTheLocale) {
    sim::SetMonthAbbreviations({"janv.", "févr.", "mars", "avr.", "mai", "juin", "juil.", "août",
                                "sept.", "oct.", "nov.", "déc."});
    Started(At(2005, 8, 23, 9, 0, 0), 0);
    EXPECT_EQ(GetStartTime(), "23-août-05 9:00:00 am");
}

TEST_F(StartTimeTest, IsFixedByTheFirstCall) {
    Started(At(2005, 12, 6, 8, 4, 9), 100);
    const std::string first = GetStartTime();
    EXPECT_EQ(first, "06-Dec-05 8:02:29 am");
    Started(At(2005, 12, 6, 8, 5, 9), 100);  // a minute later, and the clock moved
    EXPECT_EQ(GetStartTime(), first);
    EXPECT_EQ(gStartTime, first);
}

TEST_F(StartTimeTest, FirstCallThatCannotMeasureStaysUnknown) {
    sim::SetPerformanceCounter(true, 1, 0);
    EXPECT_EQ(GetStartTime(), "unknown time");
    Started(At(2005, 12, 6, 8, 4, 9), 100);  // measuring works again
    EXPECT_EQ(GetStartTime(), "unknown time");
}

TEST_F(StartTimeTest, StartBeforeTheCalendarsRangeIsUnknownNotACrash) {
    Started(At(2005, 12, 6, 8, 4, 9), 2147483648.0);  // 68 years: still a date
    EXPECT_EQ(GetStartTime(), "18-Nov-37 4:50:01 am");
    gStartTime.clear();
    sim::SetPerformanceCounter(true, 900'000'000'000'000, 10);  // ~2.8 million years
    EXPECT_EQ(GetStartTime(), "unknown time");
}

TEST_F(StartTimeTest, FractionOfASecondIsRoundedToTheNearestSecond) {
    Started(At(2005, 12, 6, 8, 4, 9), 0.6);
    EXPECT_EQ(GetStartTime(), "06-Dec-05 8:04:08 am");
}

}  // namespace
