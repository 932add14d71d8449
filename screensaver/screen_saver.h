// The system's screen saver: start it, and read or set its active flag. The
// program keeps no screen-saver state of its own.
#pragma once

#include "platform/platform.h"

// Asks window's default handling (the hidden tray window's) to start the
// screen saver.
void StartScreenSaver(platform::Handle window);
// True exactly when the system reports the flag as on (false if the read fails).
bool IsScreenSaverActive();
// Switch the flag off / on. On the NT family the change is written to the
// user's profile and broadcast; on the 9x family it lasts until the next change.
// While it is off, the display stays on and the computer awake.
void DisableScreenSaver();
void EnableScreenSaver();
