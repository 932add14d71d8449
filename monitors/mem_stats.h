// The "Memory Usage:" text of the Status tab: the memory committed
// system-wide, in kilobytes.
#pragma once

#include <cstdint>
#include <string>

#include "common/currency.h"

// The committed memory (the page-file limit minus what of it is still
// available) in kilobytes with the locale's digit grouping and " K", such as
// "262,144 K"; " K" alone for half a kilobyte or less; "memory query failed"
// when the figure cannot be computed. The 64-bit record is read when
// gIsWin2kOrLater is set, the old 32-bit one otherwise.
std::string GetMemoryUsage();

// The Currency whose value equals the 64-bit count taken as a signed integer,
// as its 8 bytes are; OverflowError beyond 922,337,203,685,477 in either
// direction.
Currency LargeIntToCurrency(std::uint64_t count);
