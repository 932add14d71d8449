#include "uptime/uptime.h"

#include <cstdint>
#include <optional>

#include "common/globals.h"
#include "common/runtime_error.h"
#include "platform/platform.h"
#include "uptime/switch_on.h"
#include "uptime/uptime_format.h"

namespace {

Currency HighResolutionUptime(std::int64_t count) {
    std::int64_t frequency = 0;
    platform::PerformanceFrequency(&frequency);
    if (frequency == 0) throw DivisionByZeroError();
    const Currency seconds =
        Currency::FromDouble(static_cast<double>(count) / static_cast<double>(frequency));
    // A counter that reads negative is not a measurement of time since start.
    if (seconds < Currency()) throw OverflowError();
    return seconds;
}

Currency TickCountUptime() {
    // The tick count is read as signed, so from 2^31 ms on it reads negative
    // and counts as unmeasurable; after 2^32 ms it wraps to zero.
    const auto ticks = static_cast<std::int32_t>(platform::TickCount());
    const std::int32_t seconds = ticks / 1000;
    if (seconds < 0) return kUptimeUnknown;
    return Currency::FromInt(seconds);
}

// What the counters say: the time since the kernel last started afresh.
Currency CountersUptime() {
    std::int64_t count = 0;
    if (platform::PerformanceCounter(&count) != 1) return TickCountUptime();
    try {
        return HighResolutionUptime(count);
    } catch (const RuntimeError&) {
        return kUptimeUnknown;
    }
}

// Where the computer was switched on after a hybrid shutdown, notes what the
// counters read at that moment. The moment becomes a reading of the counters,
// not a time of day, so that setting the clock later moves nothing.
void FixSwitchOn() {
    const std::optional<std::int64_t> switchOn = HybridSwitchOnTime();
    if (!switchOn) return;
    // Both read after the log, whose query takes its time.
    const Currency counters = CountersUptime();
    const std::optional<std::int64_t> now = platform::UtcNow();
    // A start in the future says the clock was wrong then or is now.
    if (counters == kUptimeUnknown || !now || *now < *switchOn) return;
    constexpr std::int64_t kFileTimeUnitsPerRaw = 10'000'000 / Currency::kScale;
    const Currency sinceSwitchOn = Currency::FromRaw((*now - *switchOn) / kFileTimeUnitsPerRaw);
    // A start older than the counters' zero was followed by a full one that
    // the log does not show; the counters know better.
    if (sinceSwitchOn < counters) gCountersAtSwitchOn = counters - sinceSwitchOn;
}

}  // namespace

Currency GetUptimeSeconds() {
    // The counters never read less than at the switch-on: it was taken only
    // where they had gone on from an earlier start, and they only go forward.
    const Currency counters = CountersUptime();
    if (counters == kUptimeUnknown) return counters;
    return counters - gCountersAtSwitchOn;
}

std::string GetUptimeString() {
    const Currency uptime = GetUptimeSeconds();
    if (uptime == kUptimeUnknown) return "uptime query failed";
    try {
        return FormatUptime(uptime.RoundToInt32());
    } catch (const RuntimeError& error) {
        return std::string("failed to calculate uptime: ") + error.what();
    }
}

std::string GetStartTime() {
    if (!gStartTime.empty()) return gStartTime;
    FixSwitchOn();
    const Currency uptime = GetUptimeSeconds();
    const auto start = uptime == kUptimeUnknown
                           ? std::nullopt
                           : SecondsBefore(platform::LocalNow(), uptime.RoundToInt64());
    gStartTime = start ? FormatStartTime(*start) : "unknown time";
    return gStartTime;
}
