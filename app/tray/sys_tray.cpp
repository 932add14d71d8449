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

bool AddOrReplace(platform::Handle window, platform::Handle image, const std::string& tip) {
    if (platform::TrayAdd(window, image, tip)) return true;
    if (platform::TrayModifyTip(window, tip) && platform::TrayModifyImage(window, image)) {
        return true;
    }
    platform::TrayDelete(window);
    return platform::TrayAdd(window, image, tip);
}

// Shows image and tip, leaving what the program wants shown as it is.
void Show(const TrayIconOwner& owner, platform::Handle image, const std::string& tip) {
    TrayIconState& state = owner.state;
    state.tipUpdatesSkipped = 0;
    if (AddOrReplace(owner.window, image, tip)) {
        state.tip = tip;
        state.image = image;
    } else {
        state.tip.clear();
        state.image = 0;
    }
}

}  // namespace

void AddTrayIcon(const TrayIconOwner& owner, TrayImage icon, const std::string& tip) {
    const platform::Handle image = IconOf(owner, icon);
    owner.state.wantedTip = tip;
    owner.state.wantedImage = image;
    Show(owner, image, tip);
}

void ReAddTrayIcon(const TrayIconOwner& owner) {
    Show(owner, owner.state.wantedImage, owner.state.wantedTip);
}

void UpdateTrayTip(const TrayIconOwner& owner, const std::string& tip) {
    TrayIconState& state = owner.state;
    state.wantedTip = tip;
    if (tip == state.tip && ++state.tipUpdatesSkipped < kTipResendTicks) return;
    state.tipUpdatesSkipped = 0;
    if (!platform::TrayModifyTip(owner.window, tip)) {
        // The shell lost the icon. This tip is dropped; the next tick puts the
        // uptime back.
        Show(owner,
             IconOf(owner, gHotCornersEnabled == 1 ? TrayImage::imgIcon_none
                                                   : TrayImage::imgSleeperDisabled_none),
             gComputerName + " " + AppTitle());
        return;
    }
    state.tip = tip;
}

void UpdateTrayIcon(const TrayIconOwner& owner, TrayImage icon) {
    const platform::Handle image = IconOf(owner, icon);
    TrayIconState& state = owner.state;
    state.wantedImage = image;
    if (image == state.image) return;
    state.image = platform::TrayModifyImage(owner.window, image) ? image : 0;
}

void RemoveTrayIcon(const TrayIconOwner& owner) {
    platform::TrayDelete(owner.window);
    owner.state = {};
}
