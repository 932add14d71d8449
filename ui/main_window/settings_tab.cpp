// The Settings tab: the four boxes, the rule that keeps the two auto-start
// choices apart, and the four buttons under the tab control.
#include "common/app_info.h"
#include "common/globals.h"
#include "platform/platform.h"
#include "settings/hot_corners.h"
#include "settings/reg_stuff.h"
#include "settings/registry_layout.h"
#include "ui/main_window/frm_main.h"
#include "ui/main_window/main_window_controls.h"

namespace {

// The Run value names the running exe. On the NT family the path goes in as
// Windows has it, in UTF-16: through the ANSI code page, a folder named in
// characters outside it would come out with '?' and name no file at all. The
// 9x family names its files in the ANSI code page, so there that form is
// exact.
void SetRunValue(std::uint32_t root) {
    if (gPlatformId == static_cast<std::int32_t>(platform::kVerPlatformWin32Nt)) {
        const std::u16string path = platform::ExecutablePathWide();
        if (!path.empty()) {
            SetRegWideString(root, RunKey(), AppTitle(), RunValueData(path));
            return;
        }
    }
    SetRegString(root, RunKey(), AppTitle(), RunValueData(platform::ExecutablePath()));
}

// Creates or deletes one Run value so that it matches its box, then lets the
// flag follow the box whether or not the registry took the change.
void ApplyAutoStart(int box, std::uint8_t& flag, std::uint32_t root) {
    if (box == flag) return;
    if (box != 0) {
        SetRunValue(root);
    } else {
        DeleteRegValue(root, RunKey(), AppTitle());
    }
    flag = static_cast<std::uint8_t>(box);
}

}  // namespace

void frmMain::ShowHotCornersEnabled(std::uint8_t enabled) {
    if (loaded()) controls_->chkHotCorners.setValue(enabled);
}

void frmMain::ShowCurrentSettings() {
    // Each assignment that changes a box runs its click handling at once, so
    // the exclusivity rule holds while the boxes are filled.
    Controls& c = *controls_;
    c.chkHotCorners.setValue(gHotCornersEnabled);
    c.chkFullScreenGuard.setValue(gFullScreenGuard);
    c.chkAutoStartCurr.setValue(gAutoStartCurrentUser);
    c.chkAutoStartAll.setValue(gAutoStartAllUsers);
}

void frmMain::chkAutoStartCurr_Click() {
    Controls& c = *controls_;
    if (c.chkAutoStartCurr.value() == 1) c.chkAutoStartAll.setValue(0);
}

void frmMain::chkAutoStartAll_Click() {
    Controls& c = *controls_;
    if (c.chkAutoStartAll.value() == 1) c.chkAutoStartCurr.setValue(0);
}

void frmMain::btnApply_Click() {
    Controls& c = *controls_;
    const int hotCorners = c.chkHotCorners.value();
    if (hotCorners != gHotCornersEnabled)
        SetHotCornersEnabled(static_cast<std::uint8_t>(hotCorners));
    const int guard = c.chkFullScreenGuard.value();
    if (guard != gFullScreenGuard) SetFullScreenGuard(static_cast<std::uint8_t>(guard));
    ApplyAutoStart(c.chkAutoStartCurr.value(), gAutoStartCurrentUser, platform::kHKeyCurrentUser);
    ApplyAutoStart(c.chkAutoStartAll.value(), gAutoStartAllUsers, platform::kHKeyLocalMachine);
}

void frmMain::btnOK_Click() {
    btnApply_Click();
    btnCancel_Click();
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
