#include "settings/legacy.h"

#include <cstdint>
#include <string>

#include "common/app_info.h"
#include "settings/reg_stuff.h"
#include "settings/registry_layout.h"

namespace {

// Only an empty REG_SZ names nothing to start. A value of another type may well
// be a working entry (a REG_EXPAND_SZ with %SystemRoot%, written by hand or by
// an installer), and deleting it would end the user's automatic start.
void DeleteIfEmpty(std::uint32_t root) {
    if (IsEmptyRegString(root, RunKey(), AppTitle())) {
        DeleteRegValue(root, RunKey(), AppTitle());
    }
}

}  // namespace

std::optional<std::int32_t> MigrateLegacySettings() {
    std::optional<std::int32_t> uncopied;
    std::int32_t oldSetting = 0;
    if (GetRegDWord(platform::kHKeyCurrentUser, SettingsKey(), kSleeperActiveValue, oldSetting)) {
        if (SetRegDWord(platform::kHKeyLocalMachine, SettingsKey(), kHotCornersValue, oldSetting)) {
            DeleteRegValue(platform::kHKeyCurrentUser, SettingsKey(), kSleeperActiveValue);
            // A per-user "HotCorners" goes too: the machine's value, just
            // written, is the setting now.
            DeleteRegValue(platform::kHKeyCurrentUser, SettingsKey(), kHotCornersValue);
            // The old release's keys go with them, unless they hold a setting
            // of this one that no machine value replaces. The deepest key
            // first: NT does not delete a key that has subkeys.
            std::string guard;
            if (!GetRegString(platform::kHKeyCurrentUser, SettingsKey(), kFullScreenGuardValue,
                              guard)) {
                DeleteRegKey(platform::kHKeyCurrentUser, SettingsKey());
                DeleteRegKey(platform::kHKeyCurrentUser, ProductKey());
            }
        } else if (SetRegDWord(platform::kHKeyCurrentUser, SettingsKey(), kHotCornersValue,
                               oldSetting)) {
            // A user who may not write for the machine keeps the setting as
            // the per-user one, which start-up prefers.
            DeleteRegValue(platform::kHKeyCurrentUser, SettingsKey(), kSleeperActiveValue);
        } else {
            // Deleting it now would lose the user's setting for good.
            uncopied = oldSetting;
        }
    }

    DeleteIfEmpty(platform::kHKeyLocalMachine);
    DeleteIfEmpty(platform::kHKeyCurrentUser);

    // The all-users entry is the one kept.
    std::string text;
    if (GetRegString(platform::kHKeyLocalMachine, RunKey(), AppTitle(), text) &&
        GetRegString(platform::kHKeyCurrentUser, RunKey(), AppTitle(), text)) {
        DeleteRegValue(platform::kHKeyCurrentUser, RunKey(), AppTitle());
    }
    return uncopied;
}
