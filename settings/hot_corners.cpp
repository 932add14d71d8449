#include "settings/hot_corners.h"

#include <cstdint>

#include "common/globals.h"
#include "settings/reg_stuff.h"
#include "settings/registry_layout.h"

namespace {

bool StoreFlag(const char* name, std::uint8_t& flag, std::uint8_t enabled) {
    if (!StoreSetting(name, enabled)) return false;
    flag = enabled;
    return true;
}

}  // namespace

bool StoreSetting(const char* name, std::int32_t value) {
    // An earlier per-user choice would override the machine's value at the
    // next start. Where it cannot go, nothing is written: a machine value
    // written all the same would hold for every other user while this one
    // was told the change was not made.
    if (!DeleteRegValue(platform::kHKeyCurrentUser, SettingsKey(), name)) return false;
    return SetRegDWord(platform::kHKeyLocalMachine, SettingsKey(), name, value) ||
           SetRegDWord(platform::kHKeyCurrentUser, SettingsKey(), name, value);
}

bool SetHotCornersEnabled(std::uint8_t enabled) {
    return StoreFlag(kHotCornersValue, gHotCornersEnabled, enabled);
}

bool SetFullScreenGuard(std::uint8_t enabled) {
    return StoreFlag(kFullScreenGuardValue, gFullScreenGuard, enabled);
}

std::uint8_t ReadSettingFlag(const char* name) {
    std::int32_t value = 0;
    // The flag is one byte holding 0 or 1; any other stored number (a hand
    // edit, or an older release's value copied by the migration) means "on".
    if (!GetRegDWord(platform::kHKeyCurrentUser, SettingsKey(), name, value) &&
        !GetRegDWord(platform::kHKeyLocalMachine, SettingsKey(), name, value)) {
        return 0;
    }
    return value != 0 ? 1 : 0;
}
