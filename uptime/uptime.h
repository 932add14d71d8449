// How long the computer has been running, and the texts that say so.
#pragma once

#include <string>

#include "common/currency.h"

// The value GetUptimeSeconds returns when the uptime cannot be measured.
inline const Currency kUptimeUnknown = Currency::FromRaw(-99 * Currency::kScale);

// Seconds since the computer was switched on (with a fraction from the
// high-resolution counter, whole seconds from the tick count), or
// kUptimeUnknown. The counters' own figure, less what they read at the
// switch-on where GetStartTime found one that they do not know about.
Currency GetUptimeSeconds();

// "3 days, 4:05:06", or a failure text.
std::string GetUptimeString();

// The local time the computer was switched on, "06-Dec-05 8:04:09 am",
// measured on the first call and returned unchanged ever after ("unknown time"
// if that first measurement failed). The first call also looks in the System
// log for a switch-on after a hybrid shutdown; if it finds one, the uptime
// counts from it for the rest of the run.
std::string GetStartTime();
