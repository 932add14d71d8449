// The hot-corner settings, as the tray menu and the Settings tab change them.
//
// Each is kept for the whole machine under HKEY_LOCAL_MACHINE. Where the user
// may not write there (a standard user from Vista on, or an administrator
// whose programs run without elevation), it is kept for the user under
// HKEY_CURRENT_USER instead, and that choice then wins over the machine's.
#pragma once

#include <cstdint>

// Stores a setting under the settings key: for the machine, removing a per-user
// value left from earlier first, or else for the user. False, with nothing
// written, when the setting read at the next start would not be this one.
bool StoreSetting(const char* name, std::int32_t value);
// Stores the flag as "HotCorners" and sets the process-wide flag; false, and
// the flag left as it is, when it could not be stored: what the program shows
// and obeys is what the next start reads.
bool SetHotCornersEnabled(std::uint8_t enabled);
// The same for the full-screen guard, stored as "FullScreenGuard" beside it.
bool SetFullScreenGuard(std::uint8_t enabled);
// A stored setting as the flag it sets at start-up: the user's value where
// there is one, else the machine's; 0 when neither can be read, 1 for any other
// number than 0.
std::uint8_t ReadSettingFlag(const char* name);
