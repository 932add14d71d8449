#include "app/sleeper.h"

#include <optional>
#include <string>

#include "app/tray/sys_tray.h"
#include "app/tray_form.h"
#include "common/app_info.h"
#include "common/globals.h"
#include "common/runtime_error.h"
#include "monitors/ip_helper.h"
#include "platform/platform.h"
#include "screensaver/screen_saver.h"

HotCornerState mHotCorners;

namespace {

// How many pixels from the screen's edge count as the corner.
constexpr std::int32_t kCornerReach = 4;

// A guarded corner neither arms nor fires, but a visit that already fired stays
// fired: the screen saver it started is itself a captionless window the size
// of the screen, and clearing the state under it would start it again as soon
// as the user ends it with the pointer still in the corner.
void WatchBottomLeft(bool inCorner, bool guarded) {
    auto& state = mHotCorners.BottomLeftState;
    if (!inCorner || (guarded && state != 2)) {
        state = 0;
    } else if (state == 0) {
        state = 1;
    } else if (state == 1) {
        StartScreenSaver(frmSysTray::Instance().hWnd());
        state = 2;
    }
}

void WatchBottomRight(bool inCorner) {
    auto& state = mHotCorners.BottomRightState;
    if (!inCorner) {
        EndHotCornerHold();
    } else if (state == 0) {
        state = 1;
    } else if (state == 1) {
        DisableScreenSaver();
        state = 2;
    }
}

// The screen the cursor is on: its corners are the hot ones. Measured against
// the primary screen alone, a screen to its left would have x <= 4 along the
// whole of its bottom edge, taskbar included, and one below it a "sleep now"
// corner all down its left edge. Windows without monitor functions (95, NT
// 4.0) know the primary screen only.
platform::ScreenRect ScreenAt(std::int32_t x, std::int32_t y) {
    if (const auto monitor = platform::MonitorAt(x, y)) return *monitor;
    return {0, 0, platform::SystemMetric(platform::kSmCxScreen),
            platform::SystemMetric(platform::kSmCyScreen)};
}

void WatchHotCorners() {
    // A failed read leaves the top-left corner of the primary screen, which is
    // in neither hot corner.
    std::int32_t x = 0;
    std::int32_t y = 0;
    platform::CursorPosition(&x, &y);
    const platform::ScreenRect screen = ScreenAt(x, y);
    mHotCorners.ScreenWidth = screen.right - screen.left;
    mHotCorners.ScreenHeight = screen.bottom - screen.top;
    const bool bottom = y >= screen.bottom - kCornerReach;
    const bool bottomLeft = bottom && x <= screen.left + kCornerReach;
    WatchBottomLeft(bottomLeft, bottomLeft && gFullScreenGuard == 1 && ProgramFillsScreen(screen));
    WatchBottomRight(bottom && x >= screen.right - kCornerReach);
}

TrayImage WithActivity(TrayImage none, bool rx, bool tx) {
    const int offset = rx && tx ? 3 : rx ? 1 : tx ? 2 : 0;
    return TrayImage(static_cast<int>(none) + offset);
}

}  // namespace

void EndHotCornerHold() {
    // Switched on even when the corner was only armed, since the program never
    // knows what else switched it off.
    auto& state = mHotCorners.BottomRightState;
    if (state == 1 || state == 2) EnableScreenSaver();
    state = 0;
}

bool ProgramFillsScreen(const platform::ScreenRect& screen) {
    if (platform::ScreenSaverRunning()) return false;
    const platform::ShellFullScreen shell = platform::ShellFullScreenState();
    if (shell == platform::ShellFullScreen::Presentation) return true;
    const std::optional<platform::FrontWindow> front = platform::ForegroundWindowFacts();
    if (!front || front->shell) return false;
    // The shell does not say on which screen the program runs: the window in
    // front tells.
    if (shell == platform::ShellFullScreen::Program && front->monitor == screen) return true;
    // A maximised window has its frame, which overhangs the screen besides.
    return !front->framed && front->rect == screen;
}

TrayImage ChooseTrayImage(const HotCornerState& corners, std::uint8_t hotCornersEnabled, bool rx,
                          bool tx) {
    if (corners.BottomRightState != 0) return WithActivity(TrayImage::imgSleepNever_none, rx, tx);
    if (corners.BottomLeftState != 0) return TrayImage::imgSleepNow;
    if (hotCornersEnabled != 0) return WithActivity(TrayImage::imgIcon_none, rx, tx);
    return WithActivity(TrayImage::imgSleeperDisabled_none, rx, tx);
}

void UpdateSleeper() {
    try {
        if (gHotCornersEnabled == 1) WatchHotCorners();
        // The screen saver's broadcast may have run the end of the session.
        if (!frmSysTray::Instance().loaded()) return;
        const CIpHelper& activity = IpHelper();
        UpdateTrayIcon(
            frmSysTray::Instance().trayIcon(),
            ChooseTrayImage(mHotCorners, gHotCornersEnabled, activity.bRX, activity.bTX));
    } catch (const RuntimeError& error) {
        platform::ShowMessageBox(0,
                                 std::string("Error while updating systray icon: ") + "\r\n" + "[" +
                                     std::to_string(error.number()) + "] " + error.what(),
                                 platform::kMbIconExclamation, AppTitle());
    }
}
