#include "settings/hot_corners.h"

#include "common/globals.h"
#include "settings/reg_stuff.h"
#include "settings/registry_layout.h"

void SetHotCornersEnabled(std::uint8_t enabled) {
    gHotCornersEnabled = enabled;
    SetRegDWord(platform::kHKeyLocalMachine, SettingsKey(), kHotCornersValue, enabled);
}
