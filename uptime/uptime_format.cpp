#include "uptime/uptime_format.h"

#include <chrono>

#include "common/digits.h"

std::string FormatUptime(std::int32_t seconds) {
    const std::int32_t days = seconds / 86400;
    seconds -= days * 86400;
    const std::int32_t hours = seconds / 3600;
    seconds -= hours * 3600;
    const std::int32_t minutes = seconds / 60;
    seconds %= 60;
    return std::to_string(days) + (days == 1 ? " day, " : " days, ") + std::to_string(hours) + ":" +
           AtLeastTwoDigits(minutes) + ":" + AtLeastTwoDigits(seconds);
}

std::optional<platform::LocalTime> SecondsBefore(const platform::LocalTime& now,
                                                 std::int64_t seconds) {
    using namespace std::chrono;
    const sys_days midnight{year{now.year} / month{static_cast<unsigned>(now.month)} /
                            day{static_cast<unsigned>(now.day)}};
    const auto moment =
        midnight + hours{now.hour} + minutes{now.minute} + std::chrono::seconds{now.second};
    // Beyond about 9,000 years the subtraction itself would leave the range
    // the calendar handles, so such an uptime is rejected before it is done.
    constexpr std::int64_t kTenThousandYears = 10000LL * 366 * 86400;
    if (seconds > kTenThousandYears || seconds < -kTenThousandYears) return std::nullopt;
    const auto start = moment - std::chrono::seconds{seconds};
    const auto startDay = floor<days>(start);
    const year_month_day date{startDay};
    if (int(date.year()) < 100 || int(date.year()) > 9999) return std::nullopt;
    const hh_mm_ss clock{start - startDay};
    platform::LocalTime result;
    result.year = int(date.year());
    result.month = static_cast<int>(unsigned(date.month()));
    result.day = static_cast<int>(unsigned(date.day()));
    result.hour = static_cast<int>(clock.hours().count());
    result.minute = static_cast<int>(clock.minutes().count());
    result.second = static_cast<int>(clock.seconds().count());
    return result;
}

std::string FormatStartTime(const platform::LocalTime& time) {
    const int hour12 = time.hour % 12 == 0 ? 12 : time.hour % 12;
    return AtLeastTwoDigits(time.day) + "-" + platform::MonthAbbreviation(time.month) + "-" +
           AtLeastTwoDigits(time.year % 100) + " " + std::to_string(hour12) + ":" +
           AtLeastTwoDigits(time.minute) + ":" + AtLeastTwoDigits(time.second) + " " +
           (time.hour < 12 ? "am" : "pm");
}
