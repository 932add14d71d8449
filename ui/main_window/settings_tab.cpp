// The Settings tab: the four boxes, the rule that keeps the two auto-start
// choices apart, and the four buttons under the tab control.
#include "common/app_info.h"
#include "common/globals.h"
#include "platform/platform.h"
#include "settings/hot_corners.h"
#include "settings/reg_stuff.h"
#include "settings/registry_layout.h"
#include "settings/unsaved_settings.h"
#include "ui/main_window/frm_main.h"
#include "ui/main_window/main_window_controls.h"

namespace {

// The Run value names the running exe. On the NT family the path goes in as
// Windows has it, in UTF-16: through the ANSI code page, a folder named in
// characters outside it would come out with '?' and name no file at all. The
// 9x family names its files in the ANSI code page, so there that form is
// exact.
bool SetRunValue(std::uint32_t root) {
    if (gPlatformId == static_cast<std::int32_t>(platform::kVerPlatformWin32Nt)) {
        const std::u16string path = platform::ExecutablePathWide();
        if (!path.empty()) return SetRegWideString(root, RunKey(), AppTitle(), RunValueData(path));
    }
    return SetRegString(root, RunKey(), AppTitle(), RunValueData(platform::ExecutablePath()));
}

// Creates or deletes one Run value so that it matches its box. The flag, which
// says what is stored, follows only a change the registry took; false when it
// refused it.
bool ApplyAutoStart(int box, std::uint8_t& flag, std::uint32_t root) {
    if (box == flag) return true;
    const bool stored = box != 0 ? SetRunValue(root) : DeleteRegValue(root, RunKey(), AppTitle());
    if (stored) flag = static_cast<std::uint8_t>(box);
    return stored;
}

constexpr const char* kAllUsersLockedTooltip =
    "only an administrator can change whether Orbiquell starts for all users";

}  // namespace

void frmMain::ShowHotCornersEnabled(std::uint8_t enabled) {
    if (loaded()) controls_->chkHotCorners.setValue(enabled);
}

void frmMain::ShowCurrentSettings() {
    // Each assignment that changes a box runs its click handling at once, so
    // the exclusivity rule holds while the boxes are filled.
    Controls& c = *controls_;
    // A box this user could tick but not save would only pretend: where the
    // all-users entry is the administrator's to change, the box shows it greyed.
    AllUsersLocked = !MayWriteRegValues(platform::kHKeyLocalMachine, RunKey());
    if (AllUsersLocked) {
        c.chkAutoStartAll.setEnabled(false);
        c.chkAutoStartAll.setTooltip(kAllUsersLockedTooltip);
    }
    c.chkHotCorners.setValue(gHotCornersEnabled);
    c.chkFullScreenGuard.setValue(gFullScreenGuard);
    c.chkAutoStartCurr.setValue(gAutoStartCurrentUser);
    c.chkAutoStartAll.setValue(gAutoStartAllUsers);
}

void frmMain::chkAutoStartCurr_Click() {
    Controls& c = *controls_;
    if (c.chkAutoStartCurr.value() == 1 && !AllUsersLocked) c.chkAutoStartAll.setValue(0);
}

void frmMain::chkAutoStartAll_Click() {
    Controls& c = *controls_;
    if (c.chkAutoStartAll.value() == 1) c.chkAutoStartCurr.setValue(0);
}

void frmMain::ShowStoredAutoStart() {
    // Both, the all-users box last: putting the user's box back alone would
    // let its click handling clear the other, stored as it is, and the next OK
    // would delete that entry. Where both entries are stored, the boxes show
    // them as the window did when it opened.
    Controls& c = *controls_;
    c.chkAutoStartCurr.setValue(gAutoStartCurrentUser);
    c.chkAutoStartAll.setValue(gAutoStartAllUsers);
}

void frmMain::btnApply_Click() {
    Controls& c = *controls_;
    // What the registry refused, a line each, for one message at the end.
    std::string unsaved;
    const auto refused = [&unsaved](const char* setting, const char* why) {
        unsaved += UnsavedSettingLine(setting, why);
    };
    // A setting Windows refused goes back in its box to what is stored and
    // still holds.
    const int hotCorners = c.chkHotCorners.value();
    if (hotCorners != gHotCornersEnabled) {
        if (SetHotCornersEnabled(static_cast<std::uint8_t>(hotCorners))) {
            if (HotCornersSwitched()) HotCornersSwitched()();
        } else {
            refused(kHotCornersSetting, kRefusedToStore);
            c.chkHotCorners.setValue(gHotCornersEnabled);
        }
    }
    const int guard = c.chkFullScreenGuard.value();
    if (guard != gFullScreenGuard && !SetFullScreenGuard(static_cast<std::uint8_t>(guard))) {
        refused("Not while a program fills the screen", kRefusedToStore);
        c.chkFullScreenGuard.setValue(gFullScreenGuard);
    }

    // The all-users entry first: what it holds decides what the user's own may
    // be, the two boxes ruling each other out. When it is refused, neither
    // entry changes and both boxes go back to what is stored, so that nothing
    // is lost for a change that was not made.
    const int allUsers = c.chkAutoStartAll.value();
    const int currentUser = c.chkAutoStartCurr.value();
    if (!ApplyAutoStart(allUsers, gAutoStartAllUsers, platform::kHKeyLocalMachine)) {
        refused("Auto Load Orbiquell for All Users", "only an administrator can change it");
        ShowStoredAutoStart();
    } else if (currentUser == 1 && gAutoStartAllUsers == 1) {
        refused("Auto Load Orbiquell for Current User", "Orbiquell already starts for all users");
        ShowStoredAutoStart();
    } else if (!ApplyAutoStart(currentUser, gAutoStartCurrentUser, platform::kHKeyCurrentUser)) {
        refused("Auto Load Orbiquell for Current User", kRefusedToStore);
        ShowStoredAutoStart();
    }
    if (!unsaved.empty()) ReportUnsavedSettings(c.form.handle(), unsaved);
}

void frmMain::btnOK_Click() {
    btnApply_Click();
    // Exit from the tray menu, or the end of the session, while Apply's message
    // was open has unloaded the window and its controls meanwhile.
    if (loaded()) btnCancel_Click();
}

void frmMain::btnCancel_Click() {
    // The resize handling hides the window and trims the working set before
    // the window goes.
    controls_->form.setWindowState(platform::WindowState::Minimized);
    Unload();
}

void frmMain::btnUnload_Click() {
    if (UnloadTrayForm()) UnloadTrayForm()();
    Unload();
    platform::Quit(0);
}
