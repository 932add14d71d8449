// Moving the simulated clocks, shared by AdvanceTime and the timers it fires.
#pragma once

#include <cstdint>

namespace sim::detail {

// Moves every clock on by ms: the timer scale, the tick count (wrapping at
// 2^32 like GetTickCount), the performance counter and the local time.
void MoveClock(std::uint64_t ms);

}  // namespace sim::detail
