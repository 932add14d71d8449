#include "screensaver/screen_saver.h"

#include "common/globals.h"

namespace {

void SetScreenSaverActive(bool active) {
    platform::SetScreenSaverActiveFlag(
        active, gPlatformId == static_cast<std::int32_t>(platform::kVerPlatformWin32Nt));
}

}  // namespace

void StartScreenSaver(platform::Handle window) {
    platform::StartScreenSaver(window);
}

bool IsScreenSaverActive() {
    return platform::ScreenSaverActiveFlag();
}

// The screen saver's flag stops neither the display's own power-off timer
// (Windows 95 on) nor the computer's sleep timer (98 and 2000 on), so the
// display would go dark all the same while the corner holds the saver off.
void DisableScreenSaver() {
    SetScreenSaverActive(false);
    platform::KeepDisplayAwake(true);
}

void EnableScreenSaver() {
    SetScreenSaverActive(true);
    platform::KeepDisplayAwake(false);
}
