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
    const platform::Handle image = IconOf(owner, icon);
    platform::TrayAdd(owner.window, image, tip);
    owner.shown = {tip, image};
}

void UpdateTrayTip(const TrayIconOwner& owner, const std::string& tip) {
    if (tip == owner.shown.tip) return;
    if (!platform::TrayModifyTip(owner.window, tip)) {
        // The shell lost the icon. This tip is dropped; the next change of the
        // text, a second later at most, puts the uptime back.
        AddTrayIcon(
            owner,
            gHotCornersEnabled == 1 ? TrayImage::imgIcon_none : TrayImage::imgSleeperDisabled_none,
            gComputerName + " " + AppTitle());
        return;
    }
    owner.shown.tip = tip;
}

void UpdateTrayIcon(const TrayIconOwner& owner, TrayImage icon) {
    const platform::Handle image = IconOf(owner, icon);
    if (image == owner.shown.image) return;
    platform::TrayModifyImage(owner.window, image);
    owner.shown.image = image;
}

void RemoveTrayIcon(const TrayIconOwner& owner) {
    platform::TrayDelete(owner.window);
    owner.shown = {};
}
