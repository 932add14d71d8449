// Process-wide state. Set at start-up, changed afterwards only by the settings
// the user makes from the tray menu and the main window.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

class CIpHelper;

extern std::uint8_t gHotCornersEnabled;     // 1 = hot corners enabled
extern std::uint8_t gAutoStartAllUsers;     // 1 = the all-users Run value exists
extern std::uint8_t gAutoStartCurrentUser;  // 1 = the current user's Run value exists
extern std::string gComputerName;           // "" when it cannot be read
extern std::int32_t gPlatformId;            // OSVERSIONINFO dwPlatformId
extern bool gIsWin2kOrLater;
extern std::string gStartTime;  // cached start-time text, fixed once

// The network activity counter, created by the first tick that uses it and
// kept until the process ends.
extern std::unique_ptr<CIpHelper> gIpHelper;
CIpHelper& IpHelper();

// Back to the zeroed state the process starts with.
void ResetGlobals();
