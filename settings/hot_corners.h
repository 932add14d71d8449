// The hot-corner setting, as the tray menu and the Settings tab change it.
#pragma once

#include <cstdint>

// Sets the process-wide flag and stores it as "HotCorners" under
// HKEY_LOCAL_MACHINE. A write the system refuses is not reported: the flag
// holds for this run regardless, and the next start reads the stored value.
void SetHotCornersEnabled(std::uint8_t enabled);
