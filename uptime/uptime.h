// How long the computer has been running, and the texts that say so.
#pragma once

#include <string>

#include "common/currency.h"

// The value GetUptimeSeconds returns when the uptime cannot be measured.
inline const Currency kUptimeUnknown = Currency::FromRaw(-99 * Currency::kScale);

// Seconds since the system started (with a fraction from the high-resolution
// counter, whole seconds from the tick count), or kUptimeUnknown.
Currency GetUptimeSeconds();

// "3 days, 4:05:06", or a failure text.
std::string GetUptimeString();

// The local time the system started, "06-Dec-05 8:04:09 am", measured on the
// first call and returned unchanged ever after ("unknown time" if that first
// measurement failed).
std::string GetStartTime();
