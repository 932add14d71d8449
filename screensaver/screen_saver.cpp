#include "screensaver/screen_saver.h"

#include <cstdint>

#include "app/globals.h"
#include "app/tray_form.h"
#include "platform/platform.h"

namespace {

constexpr std::uint32_t kWmSysCommand = 0x0112;
constexpr std::uintptr_t kScScreenSave = 0xF140;
constexpr std::uint32_t kSpiGetScreenSaveActive = 16;
constexpr std::uint32_t kSpiSetScreenSaveActive = 17;
constexpr std::uint32_t kSpifUpdateIniFileSendChange = 3;

void SetScreenSaverActive(std::uint32_t active) {
    if (gPlatformId == static_cast<std::int32_t>(platform::kVerPlatformWin32Nt)) {
        std::uint32_t unused = 0;
        platform::SystemParameters(kSpiSetScreenSaveActive, active, &unused,
                                   kSpifUpdateIniFileSendChange);
    } else {
        platform::SystemParameters(kSpiSetScreenSaveActive, active, nullptr, 0);
    }
}

}  // namespace

void StartScreenSaver() {
    platform::SendWindowMessage(frmSysTray::Instance().hWnd(), kWmSysCommand, kScScreenSave, 0);
}

bool IsScreenSaverActive() {
    std::uint32_t active = 0;
    platform::SystemParameters(kSpiGetScreenSaveActive, 0, &active, 0);
    return active == 1;
}

void DisableScreenSaver() {
    SetScreenSaverActive(0);
}

void EnableScreenSaver() {
    SetScreenSaverActive(1);
}
