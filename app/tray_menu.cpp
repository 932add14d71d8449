// What the mouse does over the tray icon, and the context menu's items.
#include "app/tray_menu.h"

#include <cstdint>

#include "app/sleeper.h"
#include "app/tray_form.h"
#include "common/globals.h"
#include "common/resume_next.h"
#include "platform/platform.h"
#include "screensaver/screen_saver.h"
#include "settings/hot_corners.h"
#include "settings/unsaved_settings.h"
#include "ui/main_window/frm_main.h"

namespace {

constexpr const char* kConfigureScreenSaverCommand =
    "rundll32.exe shell32.dll,Control_RunDLL desk.cpl,,1";

}  // namespace

TrayMenu::TrayMenu(frmSysTray& owner) {
    auto item = [&](const char* caption, void (frmSysTray::*handler)()) {
        return menuRightPopup.addItem(caption, [&owner, handler] { (owner.*handler)(); });
    };
    menuRestore = item("&Restore Orbiquell...", &frmSysTray::menuRestore_Click);
    menuRightPopup.addSeparator();
    menuHotCorners = item("Enable &Hot Corners", &frmSysTray::menuHotCorners_Click);
    menuRightPopup.addSeparator();
    menuStartSSaver = item("&Start Screen Saver...", &frmSysTray::menuStartSSaver_Click);
    menuConfigSSaver = item("&Configure Screen Saver...", &frmSysTray::menuConfigSSaver_Click);
    menuRightPopup.addSeparator();
    menuExit = item("E&xit Orbiquell", &frmSysTray::menuExit_Click);
}

void frmSysTray::picSysTray_MouseMove(platform::TrayMouseEvent event) {
    if (event == platform::TrayMouseEvent::LeftDoubleClick) {
        frmMain& main = frmMain::Instance();
        main.SetWindowState(platform::WindowState::Normal);
        platform::SetForeground(main.hWnd());
        main.Show();
    } else if (event == platform::TrayMouseEvent::RightButtonUp) {
        TrayMenu& m = menu();
        m.menuRightPopup.setEnabled(m.menuStartSSaver, IsScreenSaverActive());
        m.menuRightPopup.setChecked(m.menuHotCorners, gHotCornersEnabled == 1);
        // Without it the menu would not close when the user clicks elsewhere.
        platform::SetForeground(hWnd());
        m.menuRightPopup.popup(hWnd(), m.menuRestore);
    }
}

void frmSysTray::menuRestore_Click() {
    frmMain& main = frmMain::Instance();
    main.Show();
    main.SetWindowState(platform::WindowState::Normal);
    platform::SetForeground(main.hWnd());
}

void frmSysTray::menuHotCorners_Click() {
    // The check mark, set from the flag when the menu opened, decides.
    std::uint8_t enabled = gHotCornersEnabled;
    ResumeNext([&] { enabled = menu().menuRightPopup.checked(menu().menuHotCorners) ? 0 : 1; });
    // Refused by both roots, the change is not made: the next start would read
    // the old setting.
    bool stored = false;
    ResumeNext([&] { stored = SetHotCornersEnabled(enabled); });
    ResumeNext([&] {
        if (stored && enabled == 0) EndHotCornerHold();
    });
    // An open main window's box follows the change at once.
    ResumeNext([] {
        if (frmMain::IsLoaded()) frmMain::Instance().ShowHotCornersEnabled(gHotCornersEnabled);
    });
    if (!stored) {
        ResumeNext([] {
            ReportUnsavedSettings(0, UnsavedSettingLine(kHotCornersSetting, kRefusedToStore));
        });
    }
}

void frmSysTray::menuStartSSaver_Click() {
    StartScreenSaver(hWnd());
}

void frmSysTray::menuConfigSSaver_Click() {
    platform::StartProgram(kConfigureScreenSaverCommand, platform::kSwShowMinimized);
}

void frmSysTray::menuExit_Click() {
    UnloadForms();
    platform::Quit(0);
}
