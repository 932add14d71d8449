#include "common/rounding.h"

#include <cmath>

#include "common/runtime_error.h"

std::int32_t RoundToInt32(double value) {
    // nearbyint rounds in the current mode, which the program leaves at the
    // default: to nearest, ties to even.
    const double whole = std::nearbyint(value);
    // Both bounds are exact doubles; NaN fails both comparisons.
    if (!(whole >= -2147483648.0 && whole <= 2147483647.0)) throw OverflowError();
    return static_cast<std::int32_t>(whole);
}
