#include "app/tray/sys_tray.h"

#include <algorithm>
#include <cstring>

#include "app/globals.h"
#include "app/tray_form.h"
#include "common/app_info.h"
#include "common/runtime_error.h"
#include "platform/platform.h"

namespace {

// The first, 88-byte form of the record, with everything but the flags and
// the identifying pair zero.
platform::NotifyIconData Record(std::uint32_t flags) {
    platform::NotifyIconData data;
    data.cbSize = 88;
    data.hWnd = frmSysTray::Instance().picSysTrayHWnd();
    data.uID = kTrayIconId;
    data.uFlags = flags;
    return data;
}

constexpr int kErrInvalidPicture = 481;

platform::Handle IconOf(TrayImage image) {
    const platform::Handle icon = frmSysTray::Instance().imageHandle(image);
    if (icon == 0) throw RuntimeError(kErrInvalidPicture, "Invalid picture");
    return icon;
}

}  // namespace

void FillTipField(char (&field)[64], const std::string& text) {
    // Windows reads the tip up to its NUL, so the NUL always gets a place.
    const std::size_t length = std::min(text.size(), sizeof field - 1);
    std::memset(field, ' ', sizeof field);
    std::memcpy(field, text.data(), length);
    field[length] = '\0';
}

void AddTrayIcon(TrayImage icon, const std::string& tip) {
    auto data = Record(platform::kNifMessage | platform::kNifIcon | platform::kNifTip);
    data.uCallbackMessage = kTrayCallbackMessage;
    data.hIcon = IconOf(icon);
    FillTipField(data.szTip, tip);
    platform::NotifyIcon(platform::kNimAdd, data);
}

void UpdateTrayTip(const std::string& tip) {
    auto data = Record(platform::kNifTip);
    FillTipField(data.szTip, tip);
    if (platform::NotifyIcon(platform::kNimModify, data) != 1) {
        // The shell lost the icon (its notification area was re-created).
        // This tick's tip is dropped; the next tick puts the uptime back.
        AddTrayIcon(
            gHotCornersEnabled == 1 ? TrayImage::imgIcon_none : TrayImage::imgSleeperDisabled_none,
            gComputerName + " " + AppTitle());
    }
}

void UpdateTrayIcon(TrayImage icon) {
    auto data = Record(platform::kNifIcon);
    data.uCallbackMessage = kTrayCallbackMessage;
    data.hIcon = IconOf(icon);
    platform::NotifyIcon(platform::kNimModify, data);
}

void RemoveTrayIcon() {
    platform::NotifyIcon(platform::kNimDelete, Record(0));
}
