#include "settings/hot_corners.h"

#include <cstdint>

#include "common/globals.h"
#include "settings/reg_stuff.h"
#include "settings/registry_layout.h"

namespace {

void StoreFlag(const char* name, std::uint8_t& flag, std::uint8_t enabled) {
    flag = enabled;
    SetRegDWord(platform::kHKeyLocalMachine, SettingsKey(), name, enabled);
}

}  // namespace

void SetHotCornersEnabled(std::uint8_t enabled) {
    StoreFlag(kHotCornersValue, gHotCornersEnabled, enabled);
}

void SetFullScreenGuard(std::uint8_t enabled) {
    StoreFlag(kFullScreenGuardValue, gFullScreenGuard, enabled);
}

std::uint8_t ReadSettingFlag(const char* name) {
    std::int32_t value = 0;
    // The flag is one byte holding 0 or 1; any other stored number (a hand
    // edit, or an older release's value copied by the migration) means "on".
    if (!GetRegDWord(platform::kHKeyLocalMachine, SettingsKey(), name, value)) return 0;
    return value != 0 ? 1 : 0;
}
