// Whole-number conversion of fractional results (kilobytes, percentages).
#pragma once

#include <cstdint>

// The nearest whole number, a half to the even neighbour (0.5 to 0, 1.5 to 2,
// 2.5 to 2); OverflowError outside the signed 32-bit range and for NaN.
std::int32_t RoundToInt32(double value);
