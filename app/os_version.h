// Which Windows this is.
#pragma once

// Fills gPlatformId and gIsWin2kOrLater from the Windows version. A failed
// query leaves them at 0 and false.
void GetOSVersion();
