// Process-wide state. Set at start-up, changed afterwards only by the settings
// the user makes from the tray menu and the main window.
#pragma once

#include <cstdint>
#include <string>

#include "common/currency.h"

extern std::uint8_t gHotCornersEnabled;  // 1 = hot corners enabled
// 1 = the bottom-left corner rests while a program fills the pointer's screen
extern std::uint8_t gFullScreenGuard;
extern std::uint8_t gAutoStartAllUsers;     // 1 = the all-users Run value exists
extern std::uint8_t gAutoStartCurrentUser;  // 1 = the current user's Run value exists
extern std::string gComputerName;           // "" when it cannot be read
extern std::int32_t gPlatformId;            // OSVERSIONINFO dwPlatformId
extern bool gIsWin2kOrLater;
extern std::string gStartTime;  // cached start-time text, fixed once
// What the uptime counters read when the computer was last switched on, where
// they went on from an earlier start (Fast Startup); 0 where they started
// with it. Fixed once, with the start time.
extern Currency gCountersAtSwitchOn;

// Back to the zeroed state the process starts with.
void ResetGlobals();
