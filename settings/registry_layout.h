// Where the program keeps what it remembers between runs.
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"

// Software\Orbiquell\Settings: "HotCorners" under HKEY_LOCAL_MACHINE; older
// releases kept "SleeperActive" here under HKEY_CURRENT_USER.
std::string SettingsKey();
// Software\Orbiquell, left behind under HKEY_CURRENT_USER by older releases.
std::string ProductKey();
// The run-at-logon key, under either root; the value is named after the title.
std::string RunKey();

inline const char* const kHotCornersValue = "HotCorners";
// Beside it: 1 when the bottom-left corner rests while a program fills the
// screen (off when missing).
inline const char* const kFullScreenGuardValue = "FullScreenGuard";
inline const char* const kSleeperActiveValue = "SleeperActive";
