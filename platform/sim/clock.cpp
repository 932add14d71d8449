// GetTickCount, the performance counter and the local time, all driven by the
// simulated clock rather than the host's.
#include <chrono>
#include <stdexcept>

#include "platform/platform.h"
#include "platform/sim/clock_internal.h"
#include "platform/sim/sim.h"
#include "platform/sim/world.h"

namespace {

sim::detail::ClockState& Clock() {
    return sim::detail::TheWorld().clock;
}

}  // namespace

namespace platform {

std::uint32_t TickCount() {
    return Clock().tickCount;
}

int PerformanceCounter(std::int64_t* count) {
    const sim::detail::ClockState& clock = Clock();
    if (count == nullptr) {
        return 0;
    }
    if (!clock.counterPresent) {
        *count = 0;
        return 0;
    }
    // Split so that frequency * ms cannot overflow for any realistic frequency.
    const auto ms = static_cast<std::int64_t>(clock.msSinceCounterSet);
    *count = clock.counterAtSet + clock.frequency / 1000 * ms + clock.frequency % 1000 * ms / 1000;
    return 1;
}

int PerformanceFrequency(std::int64_t* frequency) {
    const sim::detail::ClockState& clock = Clock();
    if (frequency == nullptr) {
        return 0;
    }
    *frequency = clock.counterPresent ? clock.frequency : 0;
    return clock.counterPresent ? 1 : 0;
}

LocalTime LocalNow() {
    using namespace std::chrono;
    const sys_time<milliseconds> now = Clock().localTime;
    const sys_days day = floor<days>(now);
    const year_month_day date{day};
    const hh_mm_ss<milliseconds> time{now - day};
    return LocalTime{static_cast<int>(date.year()),
                     static_cast<int>(static_cast<unsigned>(date.month())),
                     static_cast<int>(static_cast<unsigned>(date.day())),
                     static_cast<int>(time.hours().count()),
                     static_cast<int>(time.minutes().count()),
                     static_cast<int>(time.seconds().count())};
}

std::optional<std::int64_t> UtcNow() {
    using namespace std::chrono;
    const sim::detail::ClockState& clock = Clock();
    const sys_time<milliseconds> utc = clock.localTime - clock.utcOffset;
    const sys_days fileTimeEpoch = year{1601} / January / 1;
    return duration_cast<duration<std::int64_t, std::ratio<1, 10'000'000>>>(utc - fileTimeEpoch)
        .count();
}

std::string MonthAbbreviation(int month) {
    const std::vector<std::string>& names = Clock().monthNames;
    if (month < 1 || month > static_cast<int>(names.size())) {
        return "";
    }
    return names[static_cast<std::size_t>(month - 1)];
}

}  // namespace platform

namespace sim::detail {

void MoveClock(std::uint64_t ms) {
    ClockState& clock = Clock();
    clock.elapsedMs += ms;
    clock.tickCount += static_cast<std::uint32_t>(ms);
    clock.msSinceCounterSet += ms;
    clock.localTime += std::chrono::milliseconds{static_cast<std::int64_t>(ms)};
}

}  // namespace sim::detail

namespace sim {

void SetTickCount(std::uint32_t ms) {
    Clock().tickCount = ms;
}

void SetPerformanceCounter(bool present, std::int64_t count, std::int64_t frequency) {
    detail::ClockState& clock = Clock();
    clock.counterPresent = present;
    clock.counterAtSet = count;
    clock.msSinceCounterSet = 0;
    clock.frequency = frequency;
}

void SetLocalTime(const platform::LocalTime& now) {
    using namespace std::chrono;
    const year_month_day date{year{now.year}, month{static_cast<unsigned>(now.month)},
                              day{static_cast<unsigned>(now.day)}};
    if (!date.ok()) {
        throw std::invalid_argument("not a calendar date");
    }
    Clock().localTime =
        sys_days{date} + hours{now.hour} + minutes{now.minute} + seconds{now.second};
}

void SetUtcOffsetMinutes(int minutes) {
    Clock().utcOffset = std::chrono::minutes{minutes};
}

void SetMonthAbbreviations(const std::vector<std::string>& twelveNames) {
    if (twelveNames.size() != 12) {
        throw std::invalid_argument("a year has twelve month names");
    }
    Clock().monthNames = twelveNames;
}

}  // namespace sim
