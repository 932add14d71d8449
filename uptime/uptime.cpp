#include "uptime/uptime.h"

#include <cstdint>

#include "common/globals.h"
#include "common/runtime_error.h"
#include "platform/platform.h"
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

}  // namespace

Currency GetUptimeSeconds() {
    std::int64_t count = 0;
    if (platform::PerformanceCounter(&count) != 1) return TickCountUptime();
    try {
        return HighResolutionUptime(count);
    } catch (const RuntimeError&) {
        return kUptimeUnknown;
    }
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
    const Currency uptime = GetUptimeSeconds();
    const auto start = uptime == kUptimeUnknown
                           ? std::nullopt
                           : SecondsBefore(platform::LocalNow(), uptime.RoundToInt64());
    gStartTime = start ? FormatStartTime(*start) : "unknown time";
    return gStartTime;
}
