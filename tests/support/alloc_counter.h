// Counts the heap allocations of the test process that are still live, so a
// long run can show that the program does not accumulate memory.
#pragma once

#include <cstdint>

std::int64_t LiveAllocations();
