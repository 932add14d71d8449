// The hot-corner settings, as the tray menu and the Settings tab change them.
#pragma once

#include <cstdint>

// Sets the process-wide flag and stores it as "HotCorners" under
// HKEY_LOCAL_MACHINE. A write the system refuses is not reported: the flag
// holds for this run regardless, and the next start reads the stored value.
void SetHotCornersEnabled(std::uint8_t enabled);
// The same for the full-screen guard, stored as "FullScreenGuard" beside it.
void SetFullScreenGuard(std::uint8_t enabled);
// A stored setting as the flag it sets at start-up: 0 when it is missing or
// cannot be read, 1 for any other number than 0.
std::uint8_t ReadSettingFlag(const char* name);
