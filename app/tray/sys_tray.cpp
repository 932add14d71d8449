#include "app/tray/sys_tray.h"

#include "common/app_info.h"
#include "common/globals.h"
#include "common/runtime_error.h"

namespace {

constexpr int kErrInvalidPicture = 481;

platform::Handle IconOf(const TrayIconOwner& owner, TrayImage image) {
    const platform::Handle icon = owner.images.handle(image);
    if (icon == 0) throw RuntimeError(kErrInvalidPicture, "Invalid picture");
    return icon;
}

}  // namespace

void AddTrayIcon(const TrayIconOwner& owner, TrayImage icon, const std::string& tip) {
    platform::TrayAdd(owner.window, IconOf(owner, icon), tip);
}

void UpdateTrayTip(const TrayIconOwner& owner, const std::string& tip) {
    if (!platform::TrayModifyTip(owner.window, tip)) {
        // The shell lost the icon (its notification area was re-created).
        // This tick's tip is dropped; the next tick puts the uptime back.
        AddTrayIcon(
            owner,
            gHotCornersEnabled == 1 ? TrayImage::imgIcon_none : TrayImage::imgSleeperDisabled_none,
            gComputerName + " " + AppTitle());
    }
}

void UpdateTrayIcon(const TrayIconOwner& owner, TrayImage icon) {
    platform::TrayModifyImage(owner.window, IconOf(owner, icon));
}

void RemoveTrayIcon(const TrayIconOwner& owner) {
    platform::TrayDelete(owner.window);
}
