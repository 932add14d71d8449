// Formatting of the uptime and start-time texts, apart from measuring them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/platform.h"

// "d days, h:mm:ss" for a whole number of seconds (0 or more).
std::string FormatUptime(std::int32_t seconds);

// The local time `seconds` before `now`, or nothing when that lies outside
// the years 100 to 9999 that a date can hold.
std::optional<platform::LocalTime> SecondsBefore(const platform::LocalTime& now,
                                                 std::int64_t seconds);

// "dd-mmm-yy h:mm:ss am/pm" with the locale's abbreviated month name.
std::string FormatStartTime(const platform::LocalTime& time);
