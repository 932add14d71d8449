#include "settings/legacy.h"

#include <cstdint>
#include <string>

#include "common/app_info.h"
#include "settings/reg_stuff.h"
#include "settings/registry_layout.h"

namespace {

// One text receives every Run value read below: a value of a type the read
// does not convert leaves whatever the previous read put there.
void DeleteIfEmpty(std::uint32_t root, std::string& text) {
    if (GetRegString(root, RunKey(), AppTitle(), text) && text.empty()) {
        DeleteRegValue(root, RunKey(), AppTitle());
    }
}

}  // namespace

void MigrateLegacySettings() {
    std::int32_t oldSetting = 0;
    if (GetRegDWord(platform::kHKeyCurrentUser, SettingsKey(), kSleeperActiveValue, oldSetting)) {
        SetRegDWord(platform::kHKeyLocalMachine, SettingsKey(), kHotCornersValue, oldSetting);
        DeleteRegValue(platform::kHKeyCurrentUser, SettingsKey(), kSleeperActiveValue);
        // The deepest key first: NT does not delete a key that has subkeys.
        DeleteRegKey(platform::kHKeyCurrentUser, SettingsKey());
        DeleteRegKey(platform::kHKeyCurrentUser, ProductKey());
    }

    std::string text;
    DeleteIfEmpty(platform::kHKeyLocalMachine, text);
    DeleteIfEmpty(platform::kHKeyCurrentUser, text);

    // The all-users entry is the one kept.
    if (GetRegString(platform::kHKeyLocalMachine, RunKey(), AppTitle(), text) &&
        GetRegString(platform::kHKeyCurrentUser, RunKey(), AppTitle(), text)) {
        DeleteRegValue(platform::kHKeyCurrentUser, RunKey(), AppTitle());
    }
}
