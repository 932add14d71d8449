// When the computer was last switched on, as far as its System log tells.
//
// With Fast Startup, "Shut down" hibernates the kernel, and switching on
// resumes it: the counters the uptime is read from then go on from the
// kernel's last full start, hours off included. Windows 8 and later log every
// start with its kind, so the newest start that followed a shutdown says when
// the computer was really switched on.
#pragma once

#include <cstdint>
#include <optional>

// The UTC time (100-nanosecond units since 1601) of the newest start that
// followed a shutdown, where that was a hybrid shutdown: nothing where it was a
// full one, where the log cannot say, or where a record of unexpected form or
// kind comes first. Resumes from the user's own hibernation are passed over,
// since hibernating counts as running time as sleep does; a handful of records
// are read at most.
std::optional<std::int64_t> HybridSwitchOnTime();
