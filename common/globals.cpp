#include "common/globals.h"

std::uint8_t gHotCornersEnabled = 0;
std::uint8_t gFullScreenGuard = 0;
std::uint8_t gAutoStartAllUsers = 0;
std::uint8_t gAutoStartCurrentUser = 0;
std::string gComputerName;
std::int32_t gPlatformId = 0;
bool gIsWin2kOrLater = false;
std::string gStartTime;
Currency gCountersAtSwitchOn;

void ResetGlobals() {
    gHotCornersEnabled = 0;
    gFullScreenGuard = 0;
    gAutoStartAllUsers = 0;
    gAutoStartCurrentUser = 0;
    gComputerName.clear();
    gPlatformId = 0;
    gIsWin2kOrLater = false;
    gStartTime.clear();
    gCountersAtSwitchOn = Currency();
}
