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

void DisableScreenSaver() {
    SetScreenSaverActive(false);
}

void EnableScreenSaver() {
    SetScreenSaverActive(true);
}
